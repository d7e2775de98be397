#pragma once
// The top-level widget of a form: an optional menu bar above a client area of fixed size.

#include <QWidget>
#include <string>
#include <vector>

class QMenuBar;
class QMimeData;
class TForm;

class FormWindow : public QWidget {
public:
    explicit FormWindow(TForm* form);

    QWidget* Client() const { return client_; }
    void SetMenuBar(QMenuBar* bar);
    int MenuHeight() const;
    void SetClientSize(int width, int height);
    // The most the window itself may measure; a larger client area shows its top-left part.
    void SetSizeLimit(const QSize& most);
    QSize FullSize() const { return {client_->width(), client_->height() + MenuHeight()}; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Escape closes a form that is not the main one, whichever of its controls has the keyboard.
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Files dragged over a text field of the form are the window's drop, not text to insert.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The local paths of the dragged data that the form takes, in the order dragged.
    std::vector<std::string> DroppablePaths(const QMimeData* mime) const;

    TForm* form_;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    QSize limit_;
};
