// The main window's preview of a large photo, from its selection in the file list until the
// preview is painted (offscreen), against the floor: `djpeg -dct float` of the same file, the
// least work that gives exact pixels, timed as the processor time of its whole process. The
// window is timed in processor time too (the machine is shared, wall time is not reliable).
// `HeldPreview` is the road the window took before it streamed: the photo decoded whole into
// its bitmap, then stretched into the preview.
//
// Run: window_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// Instructions of one selection: valgrind --tool=callgrind --collect-atstart=no
//   --toggle-collect='*SelectAndPaint*' window_bench --benchmark_filter=WindowPreview

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QtGlobal>

#include "BenchWindow.h"
#include "app/Unit1.h"
#include "app/conversion/PictureFormats.h"
#include "app/conversion/SaveRoad.h"
#include "app/conversion/SizeRule.h"
#include "app/conversion/UprightPicture.h"
#include "filectrl/FileListBox.h"
#include "graphics/Bitmap.h"
#include "graphics/Picture.h"
#include "ui/Application.h"

extern char** environ;

namespace {

const std::string kPhoto = "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg";

bool PhotoMissing(benchmark::State& state) {
    if (std::filesystem::exists(kPhoto)) return false;
    state.SkipWithError(("missing " + kPhoto + " (package mate-backgrounds)").c_str());
    return true;
}

using benchwindow::StartApplication;

// One selection: the file list's change handler, then the paint that shows the preview.
[[gnu::noinline]] void SelectAndPaint(TForm1& window) {
    window.FileListBox1Change(window.FileListBox1);
    Application->ProcessMessages();
}

void WindowPreview(benchmark::State& state) {
    if (PhotoMissing(state)) return;
    StartApplication();
    auto window = std::make_unique<TForm1>(nullptr);
    Form1 = window.get();
    window->Show();
    window->FileListBox1->SetDirectory(std::filesystem::path(kPhoto).parent_path().string());
    for (int i = 0; i < window->FileListBox1->Count(); ++i)
        if (window->FileListBox1->Items(i) == std::filesystem::path(kPhoto).filename().string())
            window->FileListBox1->SetItemIndex(i);
    if (window->FileListBox1->FileName() != kPhoto) return state.SkipWithError("the file list does not show the photo");
    Application->ProcessMessages();
    for (auto _ : state) SelectAndPaint(*window);
    benchmark::DoNotOptimize(window->Image0->Picture().CurrentGraphic());
    Form1 = nullptr;
}
BENCHMARK(WindowPreview)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void HeldPreview(benchmark::State& state) {
    if (PhotoMissing(state)) return;
    StartApplication();
    for (auto _ : state) {
        TPicture picture;
        picture.ReadFromFile(kPhoto);
        OrientUpright(picture);
        const TResultSize size = ApplySizeRule(picture.ImageWidth(), picture.ImageHeight());
        const auto preview = NewWorkingBitmap(size.Width / 4, size.Height / 4);
        preview->Canvas().StretchDrawGraphic({0, 0, size.Width / 4, size.Height / 4}, picture.CurrentGraphic());
        benchmark::DoNotOptimize(preview->ScanRow(0));
    }
}
BENCHMARK(HeldPreview)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

double Seconds(const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; }

// djpeg's processor time (user + system) as the iteration's time.
void DjpegFloor(benchmark::State& state) {
    if (PhotoMissing(state)) return;
    const char* argv[] = {"djpeg", "-dct", "float", "-outfile", "/dev/null", kPhoto.c_str(), nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawnp(&child, "djpeg", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            return state.SkipWithError("djpeg is missing (package libjpeg-turbo-progs)");
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return state.SkipWithError("djpeg failed");
        state.SetIterationTime(Seconds(usage.ru_utime) + Seconds(usage.ru_stime));
    }
}
BENCHMARK(DjpegFloor)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
