#include "ui/Form.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <exception>

#include "graphics/Exceptions.h"
#include "ui/Application.h"
#include "ui/Dispatch.h"
#include "ui/FormWindow.h"
#include "ui/FrameKeeper.h"
#include "ui/Menu.h"
#include "ui/WorkArea.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TForm, TWinControl);

TForm::TForm(TComponent* owner)
    : TWinControl(owner, new FormWindow(this)),
      frameKeeper_(new FrameKeeper(
          Widget(), [this](const QRect& frame, const QMargins& margins) { PlaceFrame(frame, margins); })) {
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetVisible(false);
    if (Application) Application->FormCreated(this);
}

TForm::~TForm() {
    if (Application) Application->FormDestroyed(this);
}

FormWindow* TForm::Window() const { return static_cast<FormWindow*>(Widget()); }

QWidget* TForm::ClientWidget() const { return Window()->Client(); }

void TForm::SetClientWidth(int value) {
    clientWidth_ = value < 0 ? 0 : value;
    Window()->SetClientSize(clientWidth_, clientHeight_);
    AlignControls();
}

void TForm::SetClientHeight(int value) {
    clientHeight_ = value < 0 ? 0 : value;
    Window()->SetClientSize(clientWidth_, clientHeight_);
    AlignControls();
}

void TForm::SetBounds(int left, int top, int width, int height) {
    // A form's own size is its client size plus the menu bar; the frame is the desktop's.
    TControl::SetBounds(left, top, width, height);
    Window()->move(left, top);
}

void TForm::SetColor(TColor value) {
    TControl::SetColor(value);
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::Window, ToQColor(value));
    palette.setColor(QPalette::Button, ToQColor(value));
    Widget()->setPalette(palette);
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
    // Exactly the frame's buttons asked for (no maximise on a window of fixed size); a tool
    // window has a close button only.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                            Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (value == TFormBorderStyle::bsToolWindow) flags |= Qt::Tool;
    else flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
    Widget()->setWindowFlags(flags);
}

void TForm::SetMenu(TMainMenu* menu) {
    menu_ = menu;
    Window()->SetMenuBar(menu ? menu->Bar() : nullptr);
}

void TForm::TextChanged() { Widget()->setWindowTitle(QString::fromStdString(Text())); }

void TForm::Show() {
    // The window is shown even when a control could not fill itself; the failure follows.
    std::exception_ptr failure;
    try {
        HandleNeeded();
    } catch (...) {
        failure = std::current_exception();
    }
    ApplyTabOrder();
    PlaceAtFirstShowing();
    KeepInWorkArea();
    SetVisible(true);
    // Every showing brings the window back to the user, also one the desktop had minimised.
    if (Widget()->windowState() & Qt::WindowMinimized)
        Widget()->setWindowState(Widget()->windowState() & ~Qt::WindowMinimized);
    Widget()->show();
    Widget()->raise();
    Widget()->activateWindow();
    frameKeeper_->Watch();
    if (failure && !FillFailureTold(failure)) std::rethrow_exception(failure);
}

bool TForm::FillFailureTold(const std::exception_ptr& failure) {
    if (!OnFillFailure) return false;
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& known) {
        return OnFillFailure(known);
    } catch (...) {
        return false;
    }
}

void TForm::Hide() {
    SetVisible(false);
    Widget()->hide();
    if (OnHide) OnHide(this);
}

int TForm::ShowModal() {
    QEventLoop loop;
    modalLoop_ = &loop;
    Widget()->setWindowModality(Qt::ApplicationModal);
    std::exception_ptr failure;
    try {
        Show();
    } catch (...) {
        failure = std::current_exception();
    }
    // A control's failure is told once the modal window stands; the loop's address is never
    // left behind.
    const bool visible = Widget()->isVisible();
    if (failure && visible)
        QTimer::singleShot(0, &loop, [failure] { ui::Dispatch([&] { std::rethrow_exception(failure); }); });
    if (visible) loop.exec();
    modalLoop_ = nullptr;
    Widget()->setWindowModality(Qt::NonModal);
    if (failure && !visible) std::rethrow_exception(failure);
    return 1;  // mrOK: the window has no buttons of its own
}

void TForm::Close() {
    if (Application && Application->MainForm() == this) {
        Hide();
        Application->Terminate();
        return;
    }
    Hide();
}

bool TForm::Showing() const { return Widget()->isVisible(); }

void TForm::WindowHidden() {
    SetVisible(false);
    if (modalLoop_) modalLoop_->quit();
}

void TForm::PlaceAtFirstShowing() {
    if (placed_) return;
    placed_ = true;
    const QSize size = Widget()->frameGeometry().size().expandedTo(Widget()->size());
    QRect area;
    if (position_ == TPosition::poMainFormCenter && Application && Application->MainForm() &&
        Application->MainForm() != this)
        area = Application->MainForm()->Widget()->frameGeometry();
    else if (position_ != TPosition::poDesigned && QGuiApplication::primaryScreen())
        area = QGuiApplication::primaryScreen()->availableGeometry();
    if (area.isNull()) return;
    const QPoint topLeft = area.center() - QPoint(size.width() / 2, size.height() / 2);
    SetBounds(topLeft.x(), topLeft.y(), Width(), Height());
}

// Wherever the window was placed (centred at its first showing, where it was left later), its
// frame stays on the screen: a caption off the screen cannot be reached to move the window.
void TForm::KeepInWorkArea() {
    const QMargins frame = FrameMargins();
    const QRect wanted(Widget()->pos(), Window()->FullSize().grownBy(frame));
    QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen) screen = Widget()->screen();
    if (!screen) return;
    const QRect placed = FitIntoWorkArea(wanted, screen->availableGeometry());
    Window()->SetSizeLimit(placed.size().shrunkBy(frame));
    SetBounds(placed.left(), placed.top(), Width(), Height());
}

// Called once the desktop has framed the shown window and its frame is not wholly on the screen.
void TForm::PlaceFrame(const QRect& frame, const QMargins& margins) {
    Window()->SetSizeLimit(frame.size().shrunkBy(margins));
    SetBounds(frame.left(), frame.top(), Width(), Height());
}

// The desktop's frame around the window: known once it has been shown, until then taken from
// the main form's, which has the larger caption.
QMargins TForm::FrameMargins() const {
    const auto margins = [](const QWidget* window) {
        const QRect frame = window->frameGeometry(), inner = window->geometry();
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                        frame.bottom() - inner.bottom());
    };
    const QMargins own = margins(Widget());
    const TForm* main = Application ? Application->MainForm() : nullptr;
    if (!own.isNull() || !main || main == this) return own;
    return margins(main->Widget());
}

void TForm::ApplyTabOrder() {
    std::vector<TWinControl*> order;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TWinControl*>(Components(i)); control && control->TabOrder() >= 0)
            order.push_back(control);
    std::stable_sort(order.begin(), order.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1]->Widget(), order[i]->Widget());
}

void TForm::RegisterHandler(const std::string& name, TNotifyEvent handler) { handlers_[name] = std::move(handler); }

void TForm::MissingField(const std::string& name) const {
    throw EInvalidOperation("Form " + Name() + " has no component " + name);
}
