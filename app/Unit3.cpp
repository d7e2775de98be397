#include "app/Unit3.h"

#include "app/Descriptions.h"
#include "app/Unit1.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TForm3, TForm);

TForm3* Form3 = nullptr;

TForm3::TForm3(TComponent* owner) : TForm(owner) {
    RegisterHandler("Image1Click", [this](TObject* sender) { Image1Click(sender); });
    ReadDescription(Form3Description());
    Shape1 = Field<TShape>("Shape1");
    Label1 = Field<TLabel>("Label1");
    Image1 = Field<TImage>("Image1");
    Label2 = Field<TLabel>("Label2");
    Memo1 = Field<TMemo>("Memo1");
}

void TForm3::Image1Click(TObject*) {
    if (Form1) Form1->Otevrit(kMakerAddress);
}
