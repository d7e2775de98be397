#include "app/Unit2.h"

#include "app/Descriptions.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TForm2, TForm);

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    RegisterHandler("Image1Click", [this](TObject* sender) { Image1Click(sender); });
    ReadDescription(Form2Description());
    Image1 = Field<TImage>("Image1");
}

void TForm2::Image1Click(TObject*) { Close(); }
