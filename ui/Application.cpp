#include "ui/Application.h"

#include <QApplication>
#include <QTimer>
#include <exception>

#include "platform/OwnerThread.h"
#include "ui/Dispatch.h"
#include "ui/EventLoopApplication.h"
#include "ui/Form.h"
#include "ui/MessageBox.h"

TApplication* Application = nullptr;

namespace {
constexpr const char* kDefaultProgramName = "obrazor";
}

std::string ExceptionBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

void TApplication::Initialize(int argc, char** argv) {
    if (Application) return;
    Application = new TApplication(argc, argv);
}

TApplication::TApplication(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) argv_.push_back(argv[i]);
    if (argv_.empty()) argv_.push_back(const_cast<char*>(kDefaultProgramName));
    argc_ = int(argv_.size());
    argv_.push_back(nullptr);
    qt_ = std::make_unique<EventLoopApplication>(argc_, argv_.data());
    qt_->setQuitOnLastWindowClosed(false);
    // Steps that painter threads hand to this thread are carried out in the event loop.
    platform::SetOwnerThreadWakeUp([app = qt_.get()] {
        QMetaObject::invokeMethod(
            app, [] { platform::ServiceOwnerThread(); }, Qt::QueuedConnection);
    });
}

TApplication::~TApplication() {
    platform::SetOwnerThreadWakeUp(nullptr);
    if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& value) { title_ = value; }

void TApplication::Run() {
    if (!mainForm_) return;
    terminated_ = false;
    try {
        mainForm_->Show();
    } catch (...) {
        // A control that could not fill itself at the first showing (a folder that may be
        // entered but not listed) is told by the default handler once the window stands.
        const std::exception_ptr failure = std::current_exception();
        QTimer::singleShot(0, qt_.get(), [failure] { ui::Dispatch([&] { std::rethrow_exception(failure); }); });
    }
    if (!terminated_) qt_->exec();
}

void TApplication::Terminate() {
    terminated_ = true;
    qt_->quit();
}

void TApplication::ProcessMessages() { QApplication::processEvents(); }

void TApplication::HandleException(const std::exception& failure) {
    if (dynamic_cast<const EAbort*>(&failure)) return;
    if (auto* known = dynamic_cast<const Exception*>(&failure)) {
        ShowException(*known);
        return;
    }
    ShowException(Exception(failure.what()));
}

void TApplication::ShowException(const Exception& failure) {
    MessageBox(ExceptionBoxText(failure.Message()), title_, MB_OK | MB_ICONSTOP);
}

void TApplication::FormCreated(TForm* form) {
    if (!mainForm_) mainForm_ = form;
}

void TApplication::FormDestroyed(TForm* form) {
    if (mainForm_ == form) mainForm_ = nullptr;
}
