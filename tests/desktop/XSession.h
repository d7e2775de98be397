#pragma once
// A private X server (Xvfb) with the openbox window manager for tests that need a real desktop:
// started on a display the server picks itself, so parallel test programs never collide, with
// every wait bounded. Tests skip when either program is missing or does not come up.

#include <sys/types.h>

#include <string>

class XSession {
public:
    XSession() = default;
    ~XSession() { Stop(); }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts both programs with a screen of `width` x `height`; on failure says why and leaves
    // nothing running.
    bool Start(int width, int height, std::string& why);
    void Stop();
    const std::string& Display() const { return display_; }

private:
    pid_t server_ = 0;
    pid_t manager_ = 0;
    std::string display_;
};

// The standard output of a shell command run against the session's display (the X tools),
// empty when it fails.
std::string XCommand(const std::string& command);
