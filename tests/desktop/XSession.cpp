#include "XSession.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr int kServerStartMs = 15000;
constexpr int kManagerStartMs = 15000;
constexpr int kStopMs = 5000;

// Starts a program with its output silenced; descriptors made without close-on-exec (the
// server's display pipe) are inherited.
pid_t Spawn(std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? 0 : pid;
}

// Ends a child: SIGTERM, then SIGKILL if it has not gone within the bound.
void End(pid_t& pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStopMs);
    while (::waitpid(pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid = 0;
}

// The display number the server writes to the pipe once it accepts connections.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kServerStartMs);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd wait{fd, POLLIN, 0};
        if (::poll(&wait, 1, 100) <= 0) continue;
        char c = 0;
        if (::read(fd, &c, 1) != 1) break;
        if (c == '\n') return number;
        number += c;
    }
    return {};
}

}  // namespace

std::string XCommand(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return output;
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    ::pclose(pipe);
    return output;
}

bool XSession::Start(int width, int height, std::string& why) {
    int fds[2];
    if (::pipe(fds) != 0) {
        why = "no pipe";
        return false;
    }
    server_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                     std::to_string(width) + "x" + std::to_string(height) + "x24", "-dpi", "96", "-nolisten", "tcp"});
    ::close(fds[1]);
    const std::string number = server_ ? ReadDisplayNumber(fds[0]) : std::string();
    ::close(fds[0]);
    if (number.empty()) {
        why = server_ ? "Xvfb did not come up" : "Xvfb is not installed";
        Stop();
        return false;
    }
    display_ = ":" + number;
    ::setenv("DISPLAY", display_.c_str(), 1);
    manager_ = Spawn({"openbox"});
    // The manager is running once it has named its check window on the root.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kManagerStartMs);
    while (manager_ && std::chrono::steady_clock::now() < deadline) {
        if (XCommand("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos) return true;
        if (::waitpid(manager_, nullptr, WNOHANG) == manager_) manager_ = 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    why = manager_ ? "openbox did not come up (or xprop is missing)" : "openbox is not installed";
    Stop();
    return false;
}

void XSession::Stop() {
    End(manager_);
    End(server_);
    display_.clear();
}
