#include "app/Unit2.h"

#include "app/Descriptions.h"
#include "gif/GIFImage.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TForm2, TForm);

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    RegisterHandler("Image1Click", [this](TObject* sender) { Image1Click(sender); });
    ReadDescription(Form2Description());
    Image1 = Field<TImage>("Image1");
    OnHide = [this](TObject*) { StopAnimation(); };
}

void TForm2::StopAnimation() {
    auto* gif = dynamic_cast<TGIFImage*>(Image1->Picture().CurrentGraphic());
    if (!gif) return;
    gif->PaintOptions &= std::uint16_t(~goAnimateFrames);
    gif->StopAllPainters();
}

void TForm2::Image1Click(TObject*) { Close(); }
