#pragma once
// The screen's cursor: a busy cursor over the whole application while long work runs.

#include "ui/Control.h"

class TScreen {
public:
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);

private:
    TCursor cursor_ = TCursor::crDefault;
};

TScreen& Screen();

// Shows `cursor` over the application while it lives, then the cursor shown before it, also
// when a failure leaves the scope.
class TScreenCursor {
public:
    explicit TScreenCursor(TCursor cursor) : previous_(Screen().Cursor()) { Screen().SetCursor(cursor); }
    ~TScreenCursor() { Screen().SetCursor(previous_); }
    TScreenCursor(const TScreenCursor&) = delete;
    TScreenCursor& operator=(const TScreenCursor&) = delete;

private:
    TCursor previous_;
};
