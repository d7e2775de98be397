#pragma once
// TWinControl: a control that can hold other controls and take the keyboard focus. Its window
// is "created" once, just before its form is first shown: CreateWnd is where a control fills
// itself from the outside world (a file list reads its folder there).

#include <vector>

#include "ui/Control.h"

class TWinControl : public TControl {
    OBRAZOR_CLASS_RECORD
public:
    TWinControl(TComponent* owner, QWidget* widget);
    ~TWinControl() override;

    // The widget that child controls' widgets are placed in.
    virtual QWidget* ClientWidget() const { return Widget(); }
    virtual int ClientWidth() const { return Width(); }
    virtual int ClientHeight() const { return Height(); }

    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(std::size_t(index)); }

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int value) { tabOrder_ = value; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);

    bool HandleAllocated() const { return handleAllocated_; }
    // Creates this control's window and then its children's, once; a failure of one is raised
    // after all the others are created.
    void HandleNeeded();
    void SetFocus();

    // Gives every alClient child the whole client area.
    void AlignControls();

    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

protected:
    virtual void CreateWnd() {}
    void BoundsChanged() override { AlignControls(); }

private:
    std::vector<TControl*> controls_;
    int tabOrder_ = -1;
    bool tabStop_ = true;
    bool handleAllocated_ = false;
};
