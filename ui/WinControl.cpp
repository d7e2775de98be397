#include "ui/WinControl.h"

#include <algorithm>
#include <exception>

OBRAZOR_DEFINE_ABSTRACT_CLASS(TWinControl, TControl);

TWinControl::TWinControl(TComponent* owner, QWidget* widget) : TControl(owner, widget) {}

TWinControl::~TWinControl() {
    // Children outlive nothing of ours: unhook them so they do not reach back here.
    for (TControl* control : std::vector<TControl*>(controls_)) control->SetParent(nullptr);
}

void TWinControl::SetTabStop(bool value) {
    tabStop_ = value;
    if (Widget()) Widget()->setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

// A control that cannot fill itself (a file list in a folder it may not read) must not leave
// the controls after it without windows: all are created, then the first failure goes on.
void TWinControl::HandleNeeded() {
    if (handleAllocated_) return;
    handleAllocated_ = true;
    std::exception_ptr failure;
    const auto attempt = [&failure](const auto& step) {
        try {
            step();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    };
    attempt([this] { CreateWnd(); });
    for (TControl* control : std::vector<TControl*>(controls_))
        if (auto* win = dynamic_cast<TWinControl*>(control)) attempt([win] { win->HandleNeeded(); });
    if (failure) std::rethrow_exception(failure);
}

void TWinControl::SetFocus() {
    if (Widget()) Widget()->setFocus(Qt::OtherFocusReason);
}

void TWinControl::AlignControls() {
    for (TControl* control : controls_)
        if (control->Align() == TAlign::alClient) control->SetBounds(0, 0, ClientWidth(), ClientHeight());
}

void TWinControl::InsertControl(TControl* control) {
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) controls_.push_back(control);
}

void TWinControl::RemoveControl(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}
