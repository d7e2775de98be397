// Several photos converted from the main window against `obrazor-convert -j 2` on the same
// files, in the same run: the folder set of bench/peers.py (20 copies of the photos of the
// mate-backgrounds package), both replacing their earlier outputs. The window is timed from Ctrl+A
// in its file list to the batch's summary line, offscreen, with two workers; the tool as a whole
// process. Each iteration runs both, the tool first, so that a change of the machine's load
// hits both alike.
//
// Counters: wall and processor time (user + system) of each, their ratio, and the longest gap
// between two ticks of a 5 ms timer on the window's thread while its batch runs.
//
// Run: batch_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QListView>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "BenchWindow.h"
#include "app/Unit1.h"
#include "app/conversion/PictureFormats.h"
#include "filectrl/FileListBox.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path kPhotos = "/usr/share/backgrounds/mate";
constexpr int kFolderSize = 20;

double Seconds(const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; }
double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double ProcessorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// The folder set of peers.py: the package's photos by name, taken in turn until there are 20.
bool MakeFolder(const fs::path& folder) {
    std::map<std::string, fs::path> photos;
    if (!fs::exists(kPhotos)) return false;
    for (const auto& entry : fs::recursive_directory_iterator(kPhotos)) {
        const std::string name = entry.path().filename().string();
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        if (lower.ends_with(".jpg")) photos.emplace(name, entry.path());
    }
    if (photos.empty()) return false;
    fs::remove_all(folder);
    fs::create_directories(folder);
    auto it = photos.begin();
    for (int i = 0; i < kFolderSize; ++i, ++it) {
        if (it == photos.end()) it = photos.begin();
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "%02d-", i);
        fs::copy_file(it->second, folder / (prefix + it->first));
    }
    return true;
}

void StartApplication() {
    benchwindow::StartApplication();
    // Photos already 480 high are converted all the same, as --reprocess does.
    MessageBoxHook = [](const std::string&, const std::string&, unsigned) { return IDYES; };
}

struct Timing {
    double wall = 0, processor = 0, longestGap = 0;
};

Timing RunTool(const fs::path& folder) {
    const std::string dir = folder.string();
    const char* argv[] = {OBRAZOR_CONVERT_PROGRAM, "--overwrite", "--reprocess", "-j", "2", dir.c_str(), nullptr};
    const double before = ProcessorSeconds(RUSAGE_CHILDREN);
    const auto start = Clock::now();
    pid_t child = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return {-1, -1, 0};
    int status = 0;
    waitpid(child, &status, 0);
    Timing timing{SecondsSince(start), ProcessorSeconds(RUSAGE_CHILDREN) - before, 0};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) timing.wall = -1;
    return timing;
}

// Ctrl+A in the list (the focused photo is already previewed), "Převeď!", then the event loop
// runs until the summary line, a 5 ms timer measuring how long the loop keeps it waiting.
Timing RunWindow(TForm1& window) {
    auto* list = static_cast<QListView*>(window.FileListBox1->Widget());
    const double before = ProcessorSeconds(RUSAGE_SELF);
    const auto start = Clock::now();
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(list, &selectAll);
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(5);
    auto last = Clock::now();
    double longestGap = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, SecondsSince(last));
        last = Clock::now();
        if (!window.BatchRunning()) loop.quit();
    });
    tick.start();
    window.Button2Click(window.Button2);
    loop.exec();
    return {SecondsSince(start), ProcessorSeconds(RUSAGE_SELF) - before, longestGap};
}

void WindowAgainstTool(benchmark::State& state) {
    StartApplication();
    const fs::path work = fs::temp_directory_path() / "obrazor-batch-bench";
    if (!MakeFolder(work / "tool") || !MakeFolder(work / "window"))
        return state.SkipWithError("missing the photos of mate-backgrounds");
    auto window = std::make_unique<TForm1>(nullptr);
    Form1 = window.get();
    window->BatchJobs = 2;
    window->CheckBox2->SetChecked(true);
    window->Show();
    window->FileListBox1->SetDirectory((work / "window").string());
    window->FileListBox1->SetItemIndex(0);
    Timing tool, own;
    for (auto _ : state) {
        const Timing t = RunTool(work / "tool");
        if (t.wall < 0) return state.SkipWithError("obrazor-convert failed");
        const Timing w = RunWindow(*window);
        window->FileListBox1->SetItemIndex(0);  // one photo again, as before the next Ctrl+A
        state.SetIterationTime(w.wall);
        tool.wall += t.wall;
        tool.processor += t.processor;
        own.wall += w.wall;
        own.processor += w.processor;
        own.longestGap = std::max(own.longestGap, w.longestGap);
    }
    const double n = double(state.iterations());
    state.counters["window_wall_s"] = own.wall / n;
    state.counters["tool_wall_s"] = tool.wall / n;
    state.counters["wall_ratio"] = own.wall / tool.wall;
    state.counters["window_cpu_s"] = own.processor / n;
    state.counters["tool_cpu_s"] = tool.processor / n;
    state.counters["cpu_ratio"] = own.processor / tool.processor;
    state.counters["longest_gap_ms"] = own.longestGap * 1000;
    Form1 = nullptr;
    window.reset();
    fs::remove_all(work);
}
BENCHMARK(WindowAgainstTool)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
