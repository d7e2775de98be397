#pragma once
// TGIFPainter: plays a GIF's frames onto a canvas with their delays, disposal methods and loop
// count. A threaded painter keeps time on a thread of its own and has every paint step and
// callback carried out on the thread that owns the canvases; it frees itself when it ends.

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

#include "gif/GIFSettings.h"
#include "graphics/Canvas.h"
#include "platform/Clock.h"
#include "platform/OwnerThread.h"

class TBitmap;
class TGIFImage;
class TGIFSubImage;

class TGIFPainter : public TObject {
public:
    // `reference` (may be null) is cleared when the painter is released.
    TGIFPainter(TGIFImage* image, std::uint16_t options, const TRect& rect, TCanvas* canvas, TGIFPainter** reference);
    ~TGIFPainter() override;
    TGIFPainter(const TGIFPainter&) = delete;
    TGIFPainter& operator=(const TGIFPainter&) = delete;

    void StartPainting();
    void StopPainting();
    // Carries out a paint step or callback on the owner thread; nothing once terminated.
    void RunOnOwnerThread(const std::function<void()>& step);
    // The painter's body: every pass of the frames, then the end.
    void Run();
    // An unthreaded painter's whole life: Run, release and free; a failure it captured is
    // raised again here.
    void RunAndRelease();

    bool Terminated() const { return terminated_.load(); }
    bool Threaded() const { return Options & goThreadedPaint; }
    bool FirstFramePainted() const { return firstFramePainted_.load(); }
    int ActiveFrame() const { return activeFrame_.load(); }
    void SetActiveFrame(int index) { activeFrame_.store(index); }
    TGIFImage* Image() const { return image_; }
    TCanvas* Canvas() const { return canvas_; }
    const TRect& Rect() const { return rect_; }

    const std::uint16_t Options;
    const std::int32_t Speed;
    const TGIFWaitLimits WaitLimits;
    TPainterPriority Priority = TPainterPriority::Normal;
    TNotifyEvent OnPaintStarting, OnFramePainting, OnFramePainted, OnLoopRestarting, OnPaintFinished;

    // Under the image's painter lock: forgets the image and frees the work bitmaps.
    void ReleasePainter();

private:
    struct Timing;
    void Callback(const TNotifyEvent& event);
    void WaitForFrame(Timing& timing);
    void SleepUnthreaded(std::int64_t waitMs);
    bool PaintOneFrame(Timing& timing);
    int ReadFrameExtensions(TGIFSubImage& frame, Timing& timing);
    void NextDelay(TGIFSubImage& frame, Timing& timing);
    void ThreadBody();
    void Finish();
    // Paint steps, on the owner thread.
    void PrepareWorkBitmaps();
    void PaintFrameDirect();
    void PaintFrameBuffered();
    void PaintInto(TCanvas& canvas, const TRect& rect);
    void PaintInFramePalette(TCanvas& canvas, const TRect& rect);
    void CopyToTarget(TBitmap& from);
    void RestoreFrameArea();
    bool TargetStillValid();

    TGIFImage* image_;
    TCanvas* canvas_;
    TRect rect_;
    TGIFPainter** reference_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> firstFramePainted_{false};
    std::atomic<int> activeFrame_{-1};
    int disposal_ = 0, previousDisposal_ = 1;
    std::uint32_t disposalsInUse_ = 0;  // bit d set when some frame uses disposal method d
    TColor backgroundColor_ = clNone;
    std::unique_ptr<TBitmap> backupBitmap_, frameWorkBitmap_, backgroundBitmap_;
    std::unique_ptr<platform::TWakeEvent> wakeEvent_;
    std::weak_ptr<platform::DeviceContext> rememberedDC_;
    std::weak_ptr<const void> canvasLife_;
    std::atomic<std::int64_t> threadId_{0};        // the system's id of the painter's thread, once it runs
    std::shared_ptr<platform::OwnerQueue> owner_;  // of the thread that made the painter
    std::thread thread_;
    bool started_ = false;
    std::exception_ptr failure_;
};
