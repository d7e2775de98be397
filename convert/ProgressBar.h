#pragma once
// A one-line progress bar redrawn in place on a terminal. Off, it prints nothing, so that a
// piped or redirected run gets only the report lines.

#include <cstddef>
#include <cstdio>
#include <string>

// "[#######.............]  7/20"
std::string RenderProgress(std::size_t done, std::size_t total, std::size_t barWidth);

class ProgressBar {
public:
    ProgressBar(std::FILE* stream, std::size_t total, bool enabled);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Show(std::size_t done);
    // Removes the bar so that a report line can take its place; the next Show draws it again.
    void Clear();

private:
    std::FILE* stream_;
    std::size_t total_;
    bool enabled_;
    bool shown_ = false;
};

// The bar belongs on standard error, and only when that is a terminal.
bool ProgressWanted(std::FILE* stream);
