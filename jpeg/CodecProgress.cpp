#include "jpeg/CodecProgress.h"

#include <string>

#include "graphics/Graphic.h"
#include "jpeg/CodecContext.h"
#include "jpeg/JpegLimits.h"
#include "platform/Clock.h"
#include "jpeg/StreamSource.h"

namespace jpeg {
namespace {

// The rows decoded since the last report; empty when compressing.
TRect ProgressBand(j_common_ptr cinfo, const ProgressState& state) {
    if (!cinfo->is_decompressor) return TRect{};
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    TRect band{0, state.LastRow, std::int32_t(d->output_width), std::int32_t(d->output_scanline)};
    // A new output pass has started from the top.
    if (band.bottom < state.LastRow) band.bottom = std::int32_t(d->output_height);
    return band;
}

int PercentDone(const jpeg_progress_mgr& p) {
    if (p.pass_limit <= 0 || p.total_passes <= 0) return 0;
    const double done = (double(p.pass_counter) / double(p.pass_limit) + p.completed_passes) * 100.0 / p.total_passes;
    if (done <= 0) return 0;
    return done >= 100 ? 100 : int(done);
}

// The clock runs from the first call; then a report at most every ProgressInterval.
bool TimeToReport(ProgressState& state) {
    const auto now = std::uint32_t(platform::MilliClock());  // compared in 32 bits, so it may wrap
    if (now - std::uint32_t(state.LastTick) < ProgressInterval) return false;
    const bool started = state.LastTick != 0;
    state.LastTick = std::int32_t(now);
    return started;
}

// Blocks of the scan being read: the blocks of each of its components.
std::int64_t ScanBlocks(j_decompress_ptr d) {
    std::int64_t blocks = 0;
    for (int i = 0; i < d->comps_in_scan; ++i)
        blocks += std::int64_t(d->cur_comp_info[i]->width_in_blocks) * d->cur_comp_info[i]->height_in_blocks;
    return blocks;
}

// Too many scans, or scans of too many blocks in all: the rest of the file is ignored.
void CutOffExcessScans(j_common_ptr cinfo, ProgressState& state) {
    if (!cinfo->is_decompressor) return;
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number != state.LastScan) {
        state.LastScan = d->input_scan_number;
        state.ScanBlocks += ScanBlocks(d);
    }
    if (d->input_scan_number > MaxJpegScans || state.ScanBlocks > MaxJpegScanBlocks) EndStreamSource(d);
}

void Report(j_common_ptr cinfo, ProgressState& state) {
    if (!state.Owner || !TimeToReport(state)) return;
    const TRect band = ProgressBand(cinfo, state);
    const int percent = PercentDone(state.pub);
    if (percent == state.LastPercent) return;
    state.LastPercent = percent;
    if (cinfo->is_decompressor)
        state.LastRow = std::int32_t(reinterpret_cast<j_decompress_ptr>(cinfo)->output_scanline);
    state.Owner->ReportProgress(state.Owner, TProgressStage::psRunning, std::uint8_t(percent), band.Height() >= 4, band,
                                std::string());
}

bool ReportCaught(j_common_ptr cinfo) noexcept {
    CodecContext& context = CodecContext::Of(cinfo);
    try {
        if (!cinfo->progress) return true;
        auto& state = *reinterpret_cast<ProgressState*>(cinfo->progress);
        CutOffExcessScans(cinfo, state);
        Report(cinfo, state);
        return true;
    } catch (...) {
        context.KeepFailure(std::current_exception());
        return false;
    }
}

}  // namespace

void CodecProgress(j_common_ptr cinfo) {
    if (!ReportCaught(cinfo)) CodecContext::Of(cinfo).LeaveLibrary();
}

}  // namespace jpeg
