#pragma once
// Outside libraries that print on the process's standard error: libheif's AV1 decoder (libdav1d)
// writes its own complaints about damaged files there, which is no place for them in a program
// that reports each file itself. Such calls run inside a QuietStderr scope, and the program's own
// messages go through ProgramStderr(), which no scope touches.

#include <cstdio>

namespace platform {

// While any scope is open, on any thread, descriptor 2 leads to /dev/null; the last one to close
// puts back the descriptor that was there.
class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;
};

// The standard error the process started with, unbuffered, for the program's own lines; made on
// the first call (before any scope opens, so from the main thread at start-up).
std::FILE* ProgramStderr();

}  // namespace platform
