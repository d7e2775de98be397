#pragma once
// A menu bar of items: each item is a component with a caption ("&" marks the access key) and a
// click handler. An item with items of its own opens them as a drop-down menu; an item may carry
// a check mark, which a click turns over when the item checks itself.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <string>

#include "ui/Component.h"

class QMenuBar;
class TMainMenu;

class TMenuItem : public TComponent {
    OBRAZOR_CLASS_RECORD
public:
    TMenuItem(TComponent* owner, TMainMenu* menu);
    // An item in the drop-down menu of `parent`.
    TMenuItem(TComponent* owner, TMenuItem* parent);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    QAction* Action() const { return action_; }

    bool Checked() const;
    void SetChecked(bool value);
    // A click turns the check mark over before OnClick runs.
    bool AutoCheck() const;
    void SetAutoCheck(bool value);

    TNotifyEvent OnClick;
    // As a user's click: turns the mark over when the item checks itself, then OnClick.
    void Click();

private:
    void Connect();
    QMenu* SubMenu();

    std::string caption_;
    QPointer<QAction> action_;
    QPointer<QMenu> subMenu_;  // made with the first item inside, deleted with the action
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
