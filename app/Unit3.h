#pragma once
// TForm3: the About window with the maker's logo, which opens the maker's web page.

#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/Shape.h"

class TForm3 : public TForm {
    OBRAZOR_CLASS_RECORD
public:
    explicit TForm3(TComponent* owner);

    TShape* Shape1;
    TLabel* Label1;
    TImage* Image1;
    TLabel* Label2;
    TMemo* Memo1;

    void Image1Click(TObject* Sender);
};

extern TForm3* Form3;
