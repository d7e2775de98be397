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
