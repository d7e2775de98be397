#pragma once
// TForm: a top-level window with a fixed client area, a caption and an optional menu bar, built
// from its form description. The first form created is the application's main form; closing
// it ends the program, closing any other form hides it.

#include <QEventLoop>
#include <QMargins>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/WinControl.h"

class FormWindow;
class FrameKeeper;
class TMainMenu;
struct TFormDescription;
struct TPropertyDesc;
class TReaderContext;

enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter };
enum class TFormBorderStyle { bsSingle, bsToolWindow };

class TForm : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    QWidget* ClientWidget() const override;
    int ClientWidth() const override { return clientWidth_; }
    int ClientHeight() const override { return clientHeight_; }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    void SetBounds(int left, int top, int width, int height) override;
    // The window's background, which its controls show through.
    void SetColor(TColor value) override;

    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    void SetBorderStyle(TFormBorderStyle value);
    void SetMenu(TMainMenu* menu);
    TMainMenu* Menu() const { return menu_; }

    // Shows the form; the first showing creates its controls' windows and places it.
    void Show();
    void Hide();
    // Shows the form modal to the whole application and returns when it is closed.
    int ShowModal();
    // The main form ends the program; any other form is hidden.
    void Close();
    bool Showing() const;
    bool Modal() const { return modalLoop_ != nullptr; }

    TNotifyEvent OnCreate;
    // Files dropped on the window: OnCanDropFile says whether a local path may be dropped (all
    // may when it is not set), OnDropFiles takes every one that may, in the order dragged.
    // Without OnDropFiles the window refuses drops.
    std::function<bool(const std::string& path)> OnCanDropFile;
    std::function<void(TObject* Sender, const std::vector<std::string>& paths)> OnDropFiles;
    // Runs whenever the form is hidden (Hide, Close of a form that is not the main one).
    TNotifyEvent OnHide;
    // A control that could not fill itself at the form's first showing: returns true when the
    // form has told the user itself; otherwise Show raises the failure once the form stands.
    std::function<bool(const std::exception& failure)> OnFillFailure;

    // Called by the window when it has been hidden.
    void WindowHidden();

protected:
    void TextChanged() override;
    // Builds the components of the description, binding their events to the handlers this
    // form registered with RegisterHandler, then runs OnCreate.
    void ReadDescription(const TFormDescription& description);
    void RegisterHandler(const std::string& name, TNotifyEvent handler);
    // The component of that name after ReadDescription, as the class the form expects.
    template <typename T>
    T* Field(const std::string& name) const {
        auto* component = dynamic_cast<T*>(FindComponent(name));
        if (!component) MissingField(name);
        return component;
    }
    [[noreturn]] void MissingField(const std::string& name) const;

private:
    void ReadFormProperty(const TPropertyDesc& property, const TReaderContext& context);
    bool FillFailureTold(const std::exception_ptr& failure);
    void PlaceAtFirstShowing();
    void KeepInWorkArea();
    void PlaceFrame(const QRect& frame, const QMargins& margins);
    QMargins FrameMargins() const;
    void ApplyTabOrder();
    FormWindow* Window() const;

    int clientWidth_ = 0;
    int clientHeight_ = 0;
    TPosition position_ = TPosition::poDesigned;
    TMainMenu* menu_ = nullptr;
    bool placed_ = false;
    FrameKeeper* frameKeeper_;
    QEventLoop* modalLoop_ = nullptr;
    std::map<std::string, TNotifyEvent> handlers_;
};
