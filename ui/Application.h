#pragma once
// TApplication: the program's Qt application, its title, its forms, the event loop and the
// default exception handler that shows what a handler let pass.

#include <memory>
#include <string>
#include <vector>

#include "graphics/Exceptions.h"

class TForm;
class EventLoopApplication;

class TApplication {
public:
    // Made once per process by Initialize; tests call it too (without arguments).
    static void Initialize(int argc = 0, char** argv = nullptr);
    ~TApplication();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value);

    TForm* MainForm() const { return mainForm_; }
    // Shows the main form and handles events until it is closed. A failure while the form is
    // first shown goes to the default handler once the loop runs; it never ends the program.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();

    // The default exception handler: a stop-icon box captioned with the title; EAbort shows
    // nothing.
    void HandleException(const std::exception& failure);
    void ShowException(const Exception& failure);

    // Kept by TForm: the first form created becomes the main form.
    void FormCreated(TForm* form);
    void FormDestroyed(TForm* form);

private:
    TApplication(int argc, char** argv);
    std::unique_ptr<EventLoopApplication> qt_;
    std::string title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    int argc_ = 0;
    std::vector<char*> argv_;
};

extern TApplication* Application;

// The box text of a failure: its message, with "." added when the message is not empty and its
// last byte is above ".".
std::string ExceptionBoxText(const std::string& message);
