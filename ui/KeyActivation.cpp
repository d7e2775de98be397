#include "ui/KeyActivation.h"

#include <QKeyEvent>

#include "ui/Dispatch.h"

namespace {

class KeyActivation : public QObject {
public:
    KeyActivation(QWidget* widget, std::function<void()> action) : QObject(widget), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter && key->key() != Qt::Key_Space) return false;
        ui::Dispatch(action_);
        return true;
    }

private:
    std::function<void()> action_;
};

}  // namespace

void ActivateByKeyboard(QWidget* widget, std::function<void()> action) {
    widget->installEventFilter(new KeyActivation(widget, std::move(action)));
}
