#include "ui/Menu.h"

#include <QAction>
#include <QMenuBar>
#include <QPointer>

#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TMenuItem, TComponent);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TMainMenu, TComponent);

TMenuItem::TMenuItem(TComponent* owner, TMainMenu* menu) : TComponent(owner), action_(new QAction(menu->Bar())) {
    menu->Bar()->addAction(action_);
    QObject::connect(action_, &QAction::triggered, [this] { ui::Dispatch([this] { Click(); }); });
}

TMenuItem::~TMenuItem() { delete action_.data(); }

void TMenuItem::SetCaption(const std::string& value) {
    caption_ = value;
    action_->setText(QString::fromStdString(value));
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), bar_(new QMenuBar) {}

TMainMenu::~TMainMenu() {
    if (bar_ && !bar_->parent()) delete bar_.data();
}
