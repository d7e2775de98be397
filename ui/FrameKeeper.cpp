#include "ui/FrameKeeper.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "ui/WorkArea.h"

namespace {
constexpr int kTickMs = 50;
// Watching ends after 3 s, so a window that the user later drags partly off the screen stays
// where it was put.
constexpr int kMostTicks = 60;
// A window still without a frame after 1 s has none (no window manager, or an undecorated one).
constexpr int kFramelessAfterTicks = 20;
// The frame has stayed inside the work area this many checks in a row: the manager is done.
constexpr int kSteadyTicks = 4;
}  // namespace

FrameKeeper::FrameKeeper(QWidget* window, std::function<void(const QRect&, const QMargins&)> place)
    : QObject(window), window_(window), place_(std::move(place)) {
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Check(); });
}

void FrameKeeper::Watch() {
    ticks_ = 0;
    steady_ = 0;
    timer_.start();
}

void FrameKeeper::Check() {
    QWindow* handle = window_->windowHandle();
    if (!handle || !window_->isVisible() || ++ticks_ > kMostTicks) {
        timer_.stop();
        return;
    }
    if (!handle->isExposed()) return;  // not mapped yet, or minimised
    const QMargins margins = handle->frameMargins();
    if (margins.isNull() && ticks_ < kFramelessAfterTicks) return;
    const QRect frame = handle->frameGeometry();
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen) screen = handle->screen();
    if (!screen) return;
    const QRect fitted = FitIntoWorkArea(frame, screen->availableGeometry());
    if (fitted == frame) {
        if (++steady_ >= kSteadyTicks) timer_.stop();
        return;
    }
    steady_ = 0;
    place_(fitted, margins);
}
