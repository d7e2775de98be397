#pragma once
// The program's command line: pictures or a folder to start with, the conversion of pictures
// named by the file manager, or a question answered without a window.

#include <string>
#include <vector>

struct TCommandLine {
    enum TMode { Window, Convert, Version, Help, Usage };
    TMode Mode = Window;
    std::vector<std::string> Paths;
    std::string Error;  // what a Usage line could not make sense of
};

// `args` excludes the program's name. --version and --help win wherever they stand, so they are
// answered even among options meant for the window system.
TCommandLine ReadCommandLine(const std::vector<std::string>& args);

std::string ProgramVersionText();
std::string ProgramUsageText();
