#pragma once
// A menu bar of plain items: each item is a component with a caption ("&" marks the access key)
// and a click handler.

#include <QPointer>
#include <QAction>
#include <QMenuBar>
#include <string>

#include "ui/Component.h"

class QMenuBar;
class TMainMenu;

class TMenuItem : public TComponent {
    OBRAZOR_CLASS_RECORD
public:
    TMenuItem(TComponent* owner, TMainMenu* menu);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    QAction* Action() const { return action_; }

    TNotifyEvent OnClick;
    void Click();

private:
    std::string caption_;
    QPointer<QAction> action_;
};

class TMainMenu : public TComponent {
    OBRAZOR_CLASS_RECORD
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    QMenuBar* Bar() const { return bar_; }

private:
    QPointer<QMenuBar> bar_;  // deleted with the form's window once it is the form's menu
};
