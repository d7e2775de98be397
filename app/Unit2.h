#pragma once
// TForm2: the full-size view. Its image shows the source picture at 100 %; a click closes it.

#include "ui/Form.h"
#include "ui/Image.h"

class TForm2 : public TForm {
    OBRAZOR_CLASS_RECORD
public:
    explicit TForm2(TComponent* owner);

    TImage* Image1;

    void Image1Click(TObject* Sender);
    // Stops an animated GIF in the view; the view then shows its first frame.
    void StopAnimation();
};

extern TForm2* Form2;
