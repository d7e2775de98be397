#pragma once
// The program's windows on a real X server with a window manager, checked from outside through
// the X tools (xprop, xwininfo, xdotool), as the user would see them.

#include <gtest/gtest.h>

#include <QMargins>
#include <QRect>
#include <functional>
#include <string>

#include "support/TestData.h"

class QWidget;

// Whether the X session came up; when not, why (the tests skip with it).
bool DesktopAvailable(std::string& why);

class Desktop : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A picture of the given size in the working folder; JPEG or BMP by extension.
    std::string Picture(const std::string& name, int width, int height);
    // A click on the preview with `path` as the source: the full-size view shows it.
    void ShowFullSize(const std::string& path);

    testdata::TempDir folder;

private:
    std::string previousFolder_;
};

// Runs the event loop until `done` holds, at most `ms` milliseconds (generous by default: the
// sanitizer builds on a loaded machine are slow); returns whether it held.
bool WaitUntil(const std::function<bool()>& done, int ms = 15000);

// The widget's X window id as the X tools write it.
std::string WindowId(const QWidget* window);
// The window's frame on the screen (its place plus the manager's frame extents); null while the
// manager has not framed it.
QRect FrameOnScreen(const QWidget* window);
// The frame once the manager has stopped moving it (unchanged for half a second).
QRect SettledFrame(const QWidget* window);
QRect WorkArea();
// The text of one X property of the window (or of the root for an empty id).
std::string Property(const std::string& id, const std::string& name);
