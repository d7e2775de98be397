#include "ui/Menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "ui/Dispatch.h"
#include "ui/MenuBar.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TMenuItem, TComponent);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TMainMenu, TComponent);

TMenuItem::TMenuItem(TComponent* owner, TMainMenu* menu) : TComponent(owner), action_(new QAction(menu->Bar())) {
    menu->Bar()->addAction(action_);
    Connect();
}

TMenuItem::TMenuItem(TComponent* owner, TMenuItem* parent)
    : TComponent(owner), action_(new QAction(parent->SubMenu())) {
    parent->SubMenu()->addAction(action_);
    Connect();
}

TMenuItem::~TMenuItem() {
    delete subMenu_.data();
    delete action_.data();
}

// Qt has already turned a checkable action's mark over when it reports the click.
void TMenuItem::Connect() {
    QObject::connect(action_, &QAction::triggered, [this] {
        ui::Dispatch([this] {
            if (OnClick) OnClick(this);
        });
    });
}

QMenu* TMenuItem::SubMenu() {
    if (!subMenu_) {
        subMenu_ = new QMenu;
        action_->setMenu(subMenu_);
    }
    return subMenu_;
}

bool TMenuItem::Checked() const { return action_->isChecked(); }

void TMenuItem::SetChecked(bool value) {
    if (value) action_->setCheckable(true);
    action_->setChecked(value);
}

bool TMenuItem::AutoCheck() const { return action_->isCheckable(); }

void TMenuItem::SetAutoCheck(bool value) { action_->setCheckable(value); }

void TMenuItem::SetCaption(const std::string& value) {
    caption_ = value;
    action_->setText(QString::fromStdString(value));
}

void TMenuItem::Click() {
    if (AutoCheck()) SetChecked(!Checked());
    if (OnClick) OnClick(this);
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), bar_(new MenuBar) {}

TMainMenu::~TMainMenu() {
    if (bar_ && !bar_->parent()) delete bar_.data();
}
