#include "convert/ProgressBar.h"

#include <unistd.h>

#include <algorithm>

namespace {
constexpr std::size_t kBarWidth = 30;
}

std::string RenderProgress(std::size_t done, std::size_t total, std::size_t barWidth) {
    const std::size_t filled = total == 0 ? barWidth : barWidth * std::min(done, total) / total;
    const std::string counter = std::to_string(total);
    std::string count = std::to_string(done);
    count.insert(0, counter.size() > count.size() ? counter.size() - count.size() : 0, ' ');
    return "[" + std::string(filled, '#') + std::string(barWidth - filled, '.') + "] " + count + "/" + counter;
}

ProgressBar::ProgressBar(std::FILE* stream, std::size_t total, bool enabled)
    : stream_(stream), total_(total), enabled_(enabled && total > 0) {}

ProgressBar::~ProgressBar() { Clear(); }

void ProgressBar::Show(std::size_t done) {
    if (!enabled_) return;
    std::fprintf(stream_, "\r%s", RenderProgress(done, total_, kBarWidth).c_str());
    std::fflush(stream_);
    shown_ = true;
}

void ProgressBar::Clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", stream_);  // carriage return, then erase to the end of the line
    std::fflush(stream_);
    shown_ = false;
}

bool ProgressWanted(std::FILE* stream) { return isatty(fileno(stream)) == 1; }
