// TForm1::Button2Click, the conversion command: load the source, show its size, redraw the
// preview and, when the convert button asked for it, write the JPEG.

#include "app/Unit1.h"
#include "app/conversion/ConversionMessages.h"
#include "app/conversion/OutputPath.h"
#include "app/conversion/QualityText.h"
#include "app/conversion/SaveRoad.h"
#include "app/conversion/SizeRule.h"
#include "graphics/Bitmap.h"
#include "platform/FileSystem.h"
#include "ui/MessageBox.h"

namespace {

bool AskYesNo(const char* text, const char* caption) { return MessageBox(text, caption, MB_YESNO) == IDYES; }

}  // namespace

void TForm1::Button2Click(TObject* Sender) {
    SaveRequested = Sender == Button2;
    TPicture picture;
    try {
        picture.ReadFromFile(LE1->Text());
    } catch (const EInvalidGraphic&) {
        ResetWindow();
        return;
    }
    // A path typed into the source field has no output path yet: take the usual one rather than
    // failing to create a file without a name.
    if (SaveRequested && LE3->Text().empty()) LE3->SetText(OutputPathFor(LE1->Text()));
    const std::int32_t height = picture.ImageHeight();
    const std::int32_t width = picture.ImageWidth();
    const TResultSize size = ApplySizeRule(width, height);
    bool work = size.Rule != TSizeRule::Fits;
    if (!work && SaveRequested) work = AskYesNo(msg::SReprocessText, msg::SReprocessCaption);
    ShowSourceSize(height, width);
    if (work && SaveRequested) Memo1->Add(Format(msg::SNewSize, int(size.Width), int(size.Height)));
    Img1->Picture().CopyFrom(nullptr);
    Img1->SetWidth(size.Width);
    Img1->SetHeight(size.Height);
    DrawPreview(picture.CurrentGraphic(), size);
    if (work && SaveRequested && OverwriteRefused()) SaveRequested = false;
    if (work && SaveRequested) WriteResult(picture.CurrentGraphic());
}

void TForm1::ShowSourceSize(std::int32_t height, std::int32_t width) {
    Label1->SetCaption("Výška: " + std::to_string(height));
    Label2->SetCaption("Šířka: " + std::to_string(width));
}

void TForm1::DrawPreview(TGraphic* graphic, const TResultSize& size) {
    Image0->Picture().CopyFrom(nullptr);
    Image0->SetWidth(size.Width / 4);
    Image0->SetHeight(size.Height / 4);
    Image0->Canvas().StretchDrawGraphic({0, 0, size.Width / 4, size.Height / 4}, graphic);
}

bool TForm1::OverwriteRefused() {
    if (CheckBox2->Checked() || !platform::FileExists(LE3->Text())) return false;
    return !AskYesNo(msg::SOverwriteText, msg::SOverwriteCaption);
}

// The working bitmap ends in Img1, as the image control's own canvas would have made it.
void TForm1::WriteResult(TGraphic* graphic) {
    RequireDrawableSize(Img1->Width(), Img1->Height());
    const auto working = MakeWorkingBitmap(*graphic, Img1->Width(), Img1->Height());
    Img1->Picture().ReplaceGraphic(working.get());
    const TJpegOutput output{CheckBox1->Checked(), QualityFromText(LE2->Text())};
    SaveJpeg(*Img1->Picture().AsBitmap(), output, LE3->Text());
}
