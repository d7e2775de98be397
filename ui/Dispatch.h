#pragma once
// The event dispatch of the window framework: every handler that runs because of a user action
// goes through Dispatch, which passes a failure to the application's default exception handler
// instead of letting it into Qt.

#include <functional>

namespace ui {
void Dispatch(const std::function<void()>& handler);
}
