// Several pictures selected in the file list and "Převeď!": each goes through the tool's own
// conversion road on worker threads, while the window keeps answering. First every picture's
// size is read (off the window's thread too), then at most one question of each kind is asked,
// then the pictures are converted; the log gets one line per picture, in list order, and a
// summary. Escape or the button (now "Zastav") stops the batch after the pictures in progress.

#include <QApplication>
#include <algorithm>
#include <QKeyEvent>
#include <map>
#include <mutex>

#include "app/BatchLog.h"
#include "app/Unit1.h"
#include "app/conversion/ConversionMessages.h"
#include "app/conversion/OutputPath.h"
#include "app/conversion/QualityText.h"
#include "app/conversion/BatchRunner.h"
#include "app/conversion/PictureConversion.h"
#include "app/conversion/SharedOutputs.h"
#include "app/conversion/WorkOrder.h"
#include "filectrl/FileListBox.h"
#include "graphics/Exceptions.h"
#include "platform/FileSystem.h"
#include "ui/Dispatch.h"
#include "ui/MessageBox.h"
#include "ui/Screen.h"

namespace {

// Wakes the window's thread after a worker finished a picture. Several wakes before the window
// looks are one; once closed (the batch is over) a late worker's wake does nothing.
class TWake : public std::enable_shared_from_this<TWake> {
public:
    explicit TWake(std::function<void()> step) : step_(std::move(step)) {}

    void Post() {
        std::lock_guard lock(mutex_);
        if (!open_ || pending_) return;
        pending_ = true;
        QMetaObject::invokeMethod(
            qApp, [self = shared_from_this()] { self->Run(); }, Qt::QueuedConnection);
    }
    // On the window's thread, as is Run.
    void Close() {
        std::lock_guard lock(mutex_);
        open_ = false;
    }

private:
    void Run() {
        {
            std::lock_guard lock(mutex_);
            pending_ = false;
            if (!open_) return;
        }
        ui::Dispatch(step_);
    }

    std::function<void()> step_;
    std::mutex mutex_;
    bool open_ = true;
    bool pending_ = false;
};

// Escape anywhere in the window stops the batch.
class TEscapeFilter : public QObject {
public:
    TEscapeFilter(QWidget* window, std::function<void()> onEscape) : window_(window), onEscape_(std::move(onEscape)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != window_) return false;
        ui::Dispatch(onEscape_);
        return true;
    }

private:
    QWidget* window_;
    std::function<void()> onEscape_;
};

// A question before the batch waits for the user, so it shows the ordinary cursor.
bool AskYes(const std::string& text, const char* caption) {
    const TScreenCursor waitingForTheUser(TCursor::crDefault);
    return MessageBox(text, caption, MB_YESNO) == IDYES;
}

std::vector<std::string> WithoutRepeats(const std::vector<std::string>& files) {
    std::vector<std::string> kept;
    for (const std::string& file : files)
        if (std::find(kept.begin(), kept.end(), file) == kept.end()) kept.push_back(file);
    return kept;
}

}  // namespace

struct TForm1::TBatch {
    enum class TPhase { Survey, Convert };

    ~TBatch() {
        wake->Close();
        run.reset();  // stops, and waits for the pictures in progress (bounded)
    }

    std::vector<std::string> files;
    ConversionSettings settings;
    bool replaceWithoutAsking = false;
    TPhase phase = TPhase::Survey;
    std::vector<FileOutcome> survey;
    BatchSummary summary;
    bool stopped = false;
    std::string caption;  // the window's own, shown again at the end
    TScreenCursor busy{TCursor::crHourGlass};
    std::shared_ptr<TWake> wake;
    std::unique_ptr<TEscapeFilter> escape;
    std::unique_ptr<BatchRun> run;
};

TForm1::~TForm1() = default;

unsigned TForm1::Jobs() const { return BatchJobs ? BatchJobs : DefaultJobs(); }

void TForm1::StartBatch(const std::vector<std::string>& selected) {
    auto batch = std::make_shared<TBatch>();
    batch->files = WithoutRepeats(selected);
    batch->settings.output = {CheckBox1->Checked(), QualityFromText(LE2->Text()), ChosenReduction()};
    batch->replaceWithoutAsking = CheckBox2->Checked();
    batch->survey.resize(batch->files.size());
    batch->caption = Caption();
    batch->wake = std::make_shared<TWake>([this] { BatchProgress(); });
    batch->escape = std::make_unique<TEscapeFilter>(Widget(), [this] { StopBatch(); });
    batch->run = std::make_unique<BatchRun>(batch->files, Jobs(), SurveyPicture, std::vector<std::size_t>{},
                                            [wake = batch->wake] { wake->Post(); });
    batch_ = std::move(batch);
    Button2->SetCaption(msg::SBatchStop);
}

void TForm1::StopBatch() {
    if (!batch_) return;
    batch_->stopped = true;
    batch_->run->Stop();
    batch_->wake->Post();  // nothing may be in progress to wake the window
}

void TForm1::BatchProgress() {
    if (!batch_) return;
    TBatch& batch = *batch_;
    if (batch.phase == TBatch::TPhase::Survey) {
        batch.run->Drain([&](std::size_t index, const FileOutcome& outcome) { batch.survey[index] = outcome; });
        if (!batch.run->Done()) return;
        batch.run.reset();
        if (batch.stopped) return FinishBatch();
        StartConverting();
        return;
    }
    batch.run->Drain([&](std::size_t, const FileOutcome& outcome) {
        Memo1->Add(BatchLogLine(outcome));
        batch.summary.Count(outcome.kind);
    });
    SetCaption(batch.caption + " (" + std::to_string(batch.summary.Total()) + " / " +
               std::to_string(batch.files.size()) + ")");
    if (batch.run->Done()) FinishBatch();
}

// The questions, each asked once for the whole batch, then the conversion on the workers. What
// the survey already decided (unreadable files, earlier outputs, pictures that fit and are not
// to be redone, a second picture with the same output) is passed through as it is.
void TForm1::StartConverting() {
    TBatch& batch = *batch_;
    const auto skips = [&](SkipReason why) {
        return int(std::count_if(batch.survey.begin(), batch.survey.end(),
                                 [&](const FileOutcome& outcome) { return outcome.skip == why; }));
    };
    if (const int fitting = skips(SkipReason::Fits); fitting > 0)
        batch.settings.reprocess = AskYes(Format(msg::SBatchReprocessText, fitting), msg::SReprocessCaption);
    std::map<std::string, FileOutcome> decided;
    std::vector<std::string> toConvert;
    for (const FileOutcome& outcome : batch.survey) {
        const bool redone = outcome.skip == SkipReason::Fits && batch.settings.reprocess;
        if (outcome.kind == OutcomeKind::Planned || redone) toConvert.push_back(outcome.source);
        else decided.emplace(outcome.source, outcome);
    }
    const OutputClaims claims = ClaimOutputs(toConvert);
    for (const FileOutcome& dropped : claims.dropped) decided.emplace(dropped.source, dropped);
    const int existing = int(std::count_if(claims.kept.begin(), claims.kept.end(), [](const std::string& source) {
        return platform::FileExists(OutputPathFor(source));
    }));
    batch.settings.overwrite = batch.replaceWithoutAsking;
    if (existing > 0 && !batch.replaceWithoutAsking)
        batch.settings.overwrite = AskYes(Format(msg::SBatchOverwriteText, existing), msg::SOverwriteCaption);
    const FileTask task = [decided = std::move(decided), settings = batch.settings](const std::string& source) {
        const auto found = decided.find(source);
        return found != decided.end() ? found->second : ConvertPicture(source, settings);
    };
    batch.phase = TBatch::TPhase::Convert;
    batch.run = std::make_unique<BatchRun>(batch.files, Jobs(), task, StartOrderFor(batch.files, Jobs()),
                                           [wake = batch.wake] { wake->Post(); });
}

void TForm1::FinishBatch() {
    TBatch& batch = *batch_;
    Memo1->Add(BatchSummaryLine(batch.summary));
    if (const std::size_t left = batch.files.size() - batch.summary.Total(); left > 0)
        Memo1->Add(Format(msg::SBatchStopped, int(left)));
    SetCaption(batch.caption);
    Button2->SetCaption("Převeď!");
    batch_.reset();
    FileListBox1->Reread();
}
