#include "app/CommandLine.h"

#include <algorithm>

#include "app/conversion/Version.h"

namespace {

// Only before "--": after it every argument is a name.
bool Asks(const std::vector<std::string>& args, std::initializer_list<const char*> names) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::any_of(args.begin(), end, [&](const std::string& arg) {
        return std::find(names.begin(), names.end(), arg) != names.end();
    });
}

TCommandLine UsageError(std::string error) {
    TCommandLine line;
    line.Mode = TCommandLine::Usage;
    line.Error = std::move(error);
    return line;
}

}  // namespace

TCommandLine ReadCommandLine(const std::vector<std::string>& args) {
    TCommandLine line;
    if (Asks(args, {"--version"})) line.Mode = TCommandLine::Version;
    else if (Asks(args, {"--help", "-h"})) line.Mode = TCommandLine::Help;
    if (line.Mode != TCommandLine::Window) return line;
    bool onlyPaths = false;
    for (const std::string& arg : args) {
        if (onlyPaths || arg.empty() || arg[0] != '-' || arg == "-") line.Paths.push_back(arg);
        else if (arg == "--") onlyPaths = true;
        else if (arg == "--convert") line.Mode = TCommandLine::Convert;
        else return UsageError("unknown option " + arg);
    }
    if (line.Mode == TCommandLine::Convert && line.Paths.empty())
        return UsageError("--convert wants at least one picture or folder");
    return line;
}

std::string ProgramVersionText() { return std::string("obrazor ") + kProgramVersion + "\n"; }

std::string ProgramUsageText() {
    return "Usage: obrazor [FILE...|FOLDER]\n"
           "       obrazor --convert FILE|FOLDER...\n"
           "Opens the Lumovar Obrazor window; given pictures, it starts in the first one's folder\n"
           "with them selected; given a folder, in that folder.\n"
           "\n"
           "      --convert   convert the pictures with obrazor-convert and show in a small\n"
           "                  window which files were written and which failed, and why\n"
           "  -h, --help      show this text\n"
           "      --version   show the version\n";
}
