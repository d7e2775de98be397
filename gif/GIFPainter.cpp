// The painter's life and its timing: construction, the thread, the passes over the frames, the
// waits between frames and the end.
#include "gif/GIFPainter.h"

#include <algorithm>
#include <cmath>

#include "gif/GIFFrameDraw.h"
#include "gif/GIFImage.h"
#include "gif/GIFRenderState.h"
#include "graphics/Bitmap.h"
#include "platform/OwnerThread.h"
#include "platform/ThreadPriority.h"

namespace {
// An unthreaded painter sleeps in slices this long, looking at the owner queue between them.
constexpr std::int64_t UnthreadedSleepSliceMs = 100;
}  // namespace

struct TGIFPainter::Timing {
    int loopsLeft = 1;
    int loopStart = 0;
    bool loopSeen = false;
    int delay = 0;
    std::int64_t lastTime = 0;
    std::int64_t carry = 0;
};

TGIFPainter::TGIFPainter(TGIFImage* image, std::uint16_t options, const TRect& rect, TCanvas* canvas,
                         TGIFPainter** reference)
    : Options(options), Speed(image->SpeedPercent), WaitLimits(image->WaitLimits), image_(image), canvas_(canvas),
      rect_(rect), reference_(reference), owner_(platform::CurrentOwnerQueue()) {
    // Every threaded painter gets its event, also at a negative speed, so that stopping always
    // ends its wait.
    if (Threaded()) wakeEvent_ = std::make_unique<platform::TWakeEvent>();
    PrepareWorkBitmaps();
}

TGIFPainter::~TGIFPainter() {
    if (thread_.joinable()) thread_.join();
}

void TGIFPainter::StartPainting() {
    if (!Threaded() || started_) return;
    started_ = true;
    thread_ = std::thread([this] { ThreadBody(); });
}

void TGIFPainter::StopPainting() {
    terminated_.store(true);
    if (!Threaded()) return;
    if (wakeEvent_) wakeEvent_->Signal();
    // Back to normal so that a painter of low priority ends soon; the system may refuse.
    if (const std::int64_t id = threadId_.load()) platform::SetThreadPriority(id, platform::ThreadPriority::Normal);
    StartPainting();  // a painter never started still has to end and release itself
}

void TGIFPainter::RunOnOwnerThread(const std::function<void()>& step) {
    if (Terminated()) return;
    if (!Threaded()) return step();
    std::exception_ptr failure;
    const bool ran = platform::RunOnOwnerThread(
        owner_,
        [&] {
            if (Terminated()) return;
            try {
                step();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        std::chrono::milliseconds(WaitLimits.OwnerStepMs));
    // An owner that does not come to the painter's steps is not drawing this picture any more.
    if (!ran) terminated_.store(true);
    if (failure) std::rethrow_exception(failure);
}

void TGIFPainter::Callback(const TNotifyEvent& event) {
    if (event) RunOnOwnerThread([&] { event(this); });
}

void TGIFPainter::ThreadBody() {
    threadId_.store(platform::CurrentThreadId());
    platform::SetThreadPriority(threadId_.load(), platform::ThreadPriority(int(Priority)));
    Run();
    // The last thing this thread does: the owner releases and frees the painter.
    platform::PostToOwnerThread(owner_, [this] { Finish(); });
}

void TGIFPainter::RunAndRelease() {
    Run();
    Finish();
}

void TGIFPainter::Finish() {
    if (thread_.joinable()) thread_.join();
    ReleasePainter();
    const std::exception_ptr failure = failure_;
    delete this;
    if (failure) std::rethrow_exception(failure);
}

void TGIFPainter::ReleasePainter() {
    if (image_) {
        TGIFRenderState& state = image_->RenderState();
        std::lock_guard guard(state.PainterLock);
        if (state.ShowingPainter == this) state.ShowingPainter = nullptr;
        std::erase(state.PainterList, this);
    }
    if (reference_ && *reference_ == this) *reference_ = nullptr;
    image_ = nullptr;
    backupBitmap_.reset();
    frameWorkBitmap_.reset();
    backgroundBitmap_.reset();
}

void TGIFPainter::Run() {
    try {
        if (Options & goCheckCanvasValid)
            RunOnOwnerThread([this] {
                canvasLife_ = canvas_->LifeToken();
                rememberedDC_ = canvas_->Handle();
            });
        SetActiveFrame(0);
        Callback(OnPaintStarting);
        firstFramePainted_.store(false);
        Timing timing;
        timing.delay = Threaded() ? 0 : 1;
        previousDisposal_ = 1;
        timing.lastTime = platform::MilliClock();
        const int frames = image_->Images().Count();
        while ((timing.loopsLeft != 0 || (Options & goLoopEndlessly)) && !Terminated()) {
            SetActiveFrame(timing.loopStart);
            if (FirstFramePainted()) Callback(OnLoopRestarting);
            int visited = 0;
            while (!Terminated()) {
                const int index = ActiveFrame();
                if (index < 0 || index >= frames || image_->Images().Frame(index)->IsEmpty()) break;
                ++visited;
                if (!PaintOneFrame(timing) || !(Options & goAnimateFrames)) break;
            }
            // A pass that starts at a frame without pixels shows nothing, and so would every
            // pass after it: repeating it would only spin.
            if (visited == 0) break;
            if (timing.loopsLeft > 0) --timing.loopsLeft;
            if (!(Options & goAnimateFrames) || !(Options & goRepeatLoops)) break;
        }
        SetActiveFrame(-1);
        Callback(OnPaintFinished);
    } catch (...) {
        failure_ = std::current_exception();
        terminated_.store(true);
    }
}

// One frame: its wait, its paint step and the callbacks around it. False ends the pass.
bool TGIFPainter::PaintOneFrame(Timing& timing) {
    WaitForFrame(timing);
    if (Terminated()) return false;
    Callback(OnFramePainting);
    if (Terminated()) return false;
    TGIFSubImage& frame = *image_->Images().Frame(std::clamp(ActiveFrame(), 0, image_->Images().Count() - 1));
    disposal_ = ReadFrameExtensions(frame, timing);
    RunOnOwnerThread([this] { backupBitmap_ ? PaintFrameBuffered() : PaintFrameDirect(); });
    previousDisposal_ = disposal_;
    if (Terminated()) return false;
    NextDelay(frame, timing);
    const int noted = ActiveFrame();
    Callback(OnFramePainted);
    if (Terminated()) return false;
    if (ActiveFrame() == noted) SetActiveFrame(noted + 1);
    return true;
}

int TGIFPainter::ReadFrameExtensions(TGIFSubImage& frame, Timing& timing) {
    int disposal = 1;
    TGIFExtensionList& list = frame.Extensions();
    for (int i = 0; i < list.Count(); ++i) {
        TGIFExtension* extension = list.Extension(i);
        if (auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(extension); loop && !timing.loopSeen) {
            const bool forever = (loop->Loops == 0 || (Options & goLoopEndlessly)) && Threaded();
            timing.loopsLeft = forever ? -1 : loop->Loops;
            timing.loopStart = ActiveFrame();
            timing.loopSeen = true;
        } else if (auto* control = dynamic_cast<TGIFGraphicControlExtension*>(extension)) {
            disposal = control->Disposal();
        }
    }
    return disposal;
}

void TGIFPainter::NextDelay(TGIFSubImage& frame, Timing& timing) {
    timing.delay = gif::DefaultFrameDelay;
    const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
    if (!control || control->Delay() == 0) return;
    timing.delay = std::max<int>(control->Delay(), gif::MinimumFrameDelay);
    if (!Threaded()) timing.delay = std::min(timing.delay, gif::MaximumFrameDelay);
}

// Half of the time spent since the last wait beyond that wait (painting, building) is taken
// off the next one, so that the animation keeps its pace on a slow machine.
void TGIFPainter::WaitForFrame(Timing& timing) {
    if (timing.delay < 1) return std::this_thread::yield();
    // The build's progress reports go to the owner thread, which also releases this painter
    // only after carrying them out.
    gif::FrameBitmap(*image_->Images().Frame(ActiveFrame()), [this](std::function<void()> report) {
        platform::PostToOwnerThread(owner_, [this, report = std::move(report)] {
            if (image_) report();
        });
    });
    const std::int64_t now = platform::MilliClock();
    std::int64_t wait;
    if (Speed < 1) {
        wait = std::int64_t(gif::MaximumFrameDelay) * gif::DelayUnitMs;  // the slowest pace, not a halt
    } else {
        const double overhead = double(now - timing.lastTime - timing.carry) / 2;
        wait = std::llround((timing.delay * gif::DelayUnitMs - overhead) * 100.0 / Speed);
        timing.carry = wait;
    }
    timing.lastTime = now;
    if (!Threaded()) return SleepUnthreaded(std::max<std::int64_t>(wait, 1));
    if (wait > 0 && wakeEvent_->Wait(wait)) {
        timing.carry = 0;
        timing.lastTime = platform::MilliClock();
    }
}

void TGIFPainter::SleepUnthreaded(std::int64_t waitMs) {
    while (waitMs > 0 && !Terminated()) {
        const std::int64_t start = platform::MilliClock();
        platform::SleepMs(std::min(waitMs, UnthreadedSleepSliceMs));
        waitMs -= std::max<std::int64_t>(platform::MilliClock() - start, 1);
        platform::ServiceOwnerThread();
    }
}
