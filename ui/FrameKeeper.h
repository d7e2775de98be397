#pragma once
// A window manager frames and places a new window in its own time, and may put it elsewhere
// than asked; until it has, neither the frame's size nor its final place is known. After each
// showing, FrameKeeper watches the window for a short, bounded while and, once the frame is
// known, moves a frame that is not wholly inside its screen's work area (title bar included)
// back into it.

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <functional>

class QWidget;

class FrameKeeper : public QObject {
public:
    // `place` is given the frame's new rectangle and the frame's margins around the window.
    FrameKeeper(QWidget* window, std::function<void(const QRect& frame, const QMargins& margins)> place);

    // Starts (or restarts) watching; called after the window has been shown.
    void Watch();
    bool Watching() const { return timer_.isActive(); }

private:
    void Check();

    QWidget* window_;
    std::function<void(const QRect&, const QMargins&)> place_;
    QTimer timer_;
    int ticks_ = 0;
    int steady_ = 0;
};
