// Obrazor's start-up: the application, its title, the JPEG format, the three windows, the loop.
// The command line may name pictures or a folder to start with, or pictures to convert in a
// small window of their own (the file manager's "Převést pro Lumovar").

#include <cstdio>

#include <QApplication>
#include <QTimer>

#include "app/CommandLine.h"
#include "app/ConvertProgressWindow.h"
#include "app/ProgramIcon.h"
#include "app/StockIcon.h"
#include "app/conversion/PictureFormats.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "ui/Application.h"
#include "ui/Dispatch.h"

namespace {

constexpr int kExitUsage = 2;

std::vector<std::string> Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

// Answered before any window system is reached, so that they work without a display.
bool AnswerWithoutWindow(const TCommandLine& line) {
    if (line.Mode == TCommandLine::Version) std::fputs(ProgramVersionText().c_str(), stdout);
    else if (line.Mode == TCommandLine::Help) std::fputs(ProgramUsageText().c_str(), stdout);
    else return false;
    return true;
}

int RunConversionWindow(const std::vector<std::string>& paths) {
    ConvertProgressWindow window(ConvertToolPath());
    QApplication::setQuitOnLastWindowClosed(true);
    window.show();
    window.Start(paths);
    QApplication::exec();
    // The tool's own status; a tool that did not run or was stopped counts as a failure.
    return window.Status() < 0 ? 1 : window.Status();
}

int RunMainWindow(const std::vector<std::string>& paths) {
    Form1 = new TForm1(nullptr);
    Form2 = new TForm2(nullptr);
    Form3 = new TForm3(nullptr);
    // The file lists fill themselves at the first showing; the named paths come after it.
    if (!paths.empty()) QTimer::singleShot(0, [paths] { ui::Dispatch([&] { Form1->OpenPaths(paths); }); });
    Application->Run();
    delete Form3;
    delete Form2;
    delete Form1;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (AnswerWithoutWindow(ReadCommandLine(Arguments(argc, argv)))) return 0;
    TApplication::Initialize(argc, argv);
    // Qt has taken its own options (-platform, -style…) out of the list by now.
    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1)) args.push_back(arg.toStdString());
    const TCommandLine line = ReadCommandLine(args);
    if (line.Mode == TCommandLine::Usage) {
        std::fprintf(stderr, "obrazor: %s\nTry 'obrazor --help'.\n", line.Error.c_str());
        delete Application;
        return kExitUsage;
    }
    Application->SetTitle("Lumovar");
    RegisterPictureFormats();
    QApplication::setWindowIcon(ProgramIcon());
    InstallStockIcon();
    const int status = line.Mode == TCommandLine::Convert ? RunConversionWindow(line.Paths) : RunMainWindow(line.Paths);
    UnregisterPictureFormats();
    delete Application;
    return status;
}
