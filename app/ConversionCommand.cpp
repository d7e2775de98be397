// TForm1::Button2Click, the conversion command: load the source, show its size, redraw the
// preview and, when the convert button asked for it, write the JPEG.

#include <QCoreApplication>
#include <exception>
#include <optional>

#include "app/Unit1.h"
#include "app/conversion/ConversionMessages.h"
#include "app/conversion/ConversionPlan.h"
#include "app/conversion/OutputPath.h"
#include "app/conversion/QualityText.h"
#include "app/conversion/SaveRoad.h"
#include "app/conversion/SmoothDraw.h"
#include "app/conversion/UprightPicture.h"
#include "filectrl/FileListBox.h"
#include "graphics/Bitmap.h"
#include "graphics/StreamedDraw.h"
#include "platform/FileSystem.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"
#include "ui/Screen.h"

namespace {

// A question waits for the user, so it shows the ordinary cursor while it is open.
TAnswer Ask(const char* text, const char* caption) {
    const TScreenCursor waitingForTheUser(TCursor::crDefault);
    return MessageBox(text, caption, MB_YESNO) == IDYES ? TAnswer::Yes : TAnswer::No;
}

// Marks a conversion as running while it lives. Presses of the button that the user made
// meanwhile are still queued when the work ends; they are handled before the mark goes, so they
// find the conversion running and are dropped instead of converting the same picture again.
class TRunningConversion {
public:
    explicit TRunningConversion(bool& running) : running_(running) { running_ = true; }
    ~TRunningConversion() {
        if (std::uncaught_exceptions() == 0) QCoreApplication::processEvents(QEventLoop::AllEvents, kQueuedInputMs);
        running_ = false;
    }
    TRunningConversion(const TRunningConversion&) = delete;
    TRunningConversion& operator=(const TRunningConversion&) = delete;

private:
    static constexpr int kQueuedInputMs = 200;  // bound on handling what was queued
    bool& running_;
};

// The line that tells the log a save failed, so that it never ends on the new size alone.
std::string NotSavedLine(const std::exception& failure) {
    const auto* known = dynamic_cast<const Exception*>(&failure);
    return Format(msg::SNotSaved, ExceptionBoxText(known ? known->Message() : failure.what()).c_str());
}

}  // namespace

void TForm1::Button2Click(TObject* Sender) {
    if (Sender == Button2 && converting_) return;
    if (Sender == Button2 && batch_) return StopBatch();
    if (Sender == Button2 && FileListBox1->SelectedCount() > 1) return StartBatch(FileListBox1->SelectedFiles());
    {
        std::optional<TRunningConversion> running;
        if (Sender == Button2) running.emplace(converting_);
        ConvertOne(Sender);
    }
    // New outputs show in the list at once.
    if (Sender == Button2) FileListBox1->Reread();
}

void TForm1::ConvertOne(TObject* Sender) {
    // Reading and drawing a large photo takes a second or more: the window shows it is busy.
    const TScreenCursor busy(TCursor::crHourGlass);
    SaveRequested = Sender == Button2;
    TPicture picture;
    try {
        picture.ReadFromFile(LE1->Text());
    } catch (const EInvalidGraphic&) {
        ResetWindow();
        return;
    }
    OrientUpright(picture);
    // A path typed into the source field has no output path yet: take the usual one rather than
    // failing to create a file without a name.
    if (SaveRequested && LE3->Text().empty()) LE3->SetText(OutputPathFor(LE1->Text()));
    const std::int32_t height = picture.ImageHeight();
    const std::int32_t width = picture.ImageWidth();
    // A preview never asks: a picture that fits is then simply not redone.
    TConversionFacts facts{.Reprocess = SaveRequested ? TAnswer::Unasked : TAnswer::No};
    TConversionPlan plan = PlanConversion(width, height, facts);
    if (plan.Next == TConversionStep::AskReprocess) {
        facts.Reprocess = Ask(msg::SReprocessText, msg::SReprocessCaption);
        plan = PlanConversion(width, height, facts);
    }
    ShowSourceSize(height, width);
    const bool writes = plan.Work && SaveRequested;
    if (writes)
        Memo1->Add(Format(msg::SNewSize, int(plan.Size.Width), int(plan.Size.Height)) +
                   (ChosenReduction() == TReduction::Smooth ? msg::SSmoothNote : ""));
    try {
        Img1->Picture().CopyFrom(nullptr);
        Img1->SetWidth(plan.Size.Width);
        Img1->SetHeight(plan.Size.Height);
        auto working = DrawPreview(picture.CurrentGraphic(), plan.Size, writes);
        if (writes) SaveResult(picture.CurrentGraphic(), std::move(working), width, height, facts);
    } catch (const std::exception& failure) {
        if (writes) Memo1->Add(NotSavedLine(failure));
        throw;
    }
}

// Asked only now, after the log line and the new preview, so that a "No" still leaves both.
void TForm1::SaveResult(TGraphic* graphic, std::unique_ptr<TBitmap> working, std::int32_t width, std::int32_t height,
                        TConversionFacts facts) {
    facts.Overwrite = CheckBox2->Checked() ? TAnswer::Yes : TAnswer::Unasked;
    facts.OutputExists = platform::FileExists(LE3->Text());
    TConversionPlan plan = PlanConversion(width, height, facts);
    if (plan.Next == TConversionStep::AskOverwrite) {
        facts.Overwrite = Ask(msg::SOverwriteText, msg::SOverwriteCaption);
        SaveRequested = facts.Overwrite == TAnswer::Yes;
        plan = PlanConversion(width, height, facts);
    }
    if (plan.Next == TConversionStep::RefuseEmpty) RaiseEmptyResult(plan.Size.Width, plan.Size.Height);
    if (plan.Next == TConversionStep::Write) WriteResult(graphic, std::move(working));
}

void TForm1::ShowSourceSize(std::int32_t height, std::int32_t width) {
    Label1->SetCaption("Výška: " + std::to_string(height));
    Label2->SetCaption("Šířka: " + std::to_string(width));
}

TReduction TForm1::ChosenReduction() const {
    return HladkeZmenseni1->Checked() ? TReduction::Smooth : TReduction::Exact;
}

// The preview in the image control's own bitmap. A JPEG that can be streamed is drawn from its
// decoder's rows, and for a save the working bitmap is drawn from the same rows and handed back,
// so the picture is decoded once and never held at full size. Otherwise the result is null and
// the save draws its working bitmap later, from the picture decoded here. A smooth preview is
// reduced as the result will be; the save reduces again, at its own size.
std::unique_ptr<TBitmap> TForm1::DrawPreview(TGraphic* graphic, const TResultSize& size, bool withWorking) {
    const TResultSize preview = PreviewSize(size);
    Image0->Picture().CopyFrom(nullptr);
    Image0->SetWidth(preview.Width);
    Image0->SetHeight(preview.Height);
    TCanvas& canvas = Image0->Canvas();
    const bool smooth = ChosenReduction() == TReduction::Smooth;
    auto working = withWorking && !smooth ? NewWorkingBitmap(size.Width, size.Height) : nullptr;
    TBitmap* const targets[] = {Image0->Picture().AsBitmap(), working.get()};
    try {
        if (smooth) {
            DrawSmooth(*graphic, *targets[0]);
            return nullptr;
        }
        if (DrawStreamed(*graphic, std::span(targets, working ? 2 : 1))) return working;
    } catch (...) {
        // A decode that fails leaves the preview white, as a failed decode before drawing does.
        Image0->Picture().CopyFrom(nullptr);
        Image0->Canvas();
        throw;
    }
    canvas.StretchDrawGraphic({0, 0, preview.Width, preview.Height}, graphic);
    return nullptr;
}

// The working bitmap ends in Img1, as the image control's own canvas would have made it.
void TForm1::WriteResult(TGraphic* graphic, std::unique_ptr<TBitmap> working) {
    const TJpegOutput output{CheckBox1->Checked(), QualityFromText(LE2->Text()), ChosenReduction()};
    if (!working) working = MakeWorkingBitmap(*graphic, Img1->Width(), Img1->Height(), output.Reduction);
    Img1->Picture().ReplaceGraphic(working.get());
    SaveJpeg(*Img1->Picture().AsBitmap(), output, LE3->Text());
}
