#pragma once
// The record every use of libjpeg goes through: our error manager, the progress state, the
// codec object and the landing point that the library's fatal errors jump back to.
//
// libjpeg is C: its fatal errors and the failures of our hooks leave the library by longjmp to
// the Call that entered it, which then raises the failure as a C++ exception. Steps run inside
// Call must therefore hold no object with a destructor while they call the library.

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <type_traits>

#include <jpeglib.h>

class TGraphic;

namespace jpeg {

struct ProgressState {
    jpeg_progress_mgr pub;  // first, so the library's progress pointer is ours too
    TGraphic* Owner;
    std::int32_t LastPercent;
    std::int32_t LastTick;
    std::int32_t LastRow;
    std::int32_t LastScan;    // the input scan whose blocks ScanBlocks counts last
    std::int64_t ScanBlocks;  // blocks of all scans begun so far
};

class CodecContext {
public:
    // `owner` is told of progress; null when the codec works without progress.
    explicit CodecContext(TGraphic* owner);
    ~CodecContext() { Release(); }
    CodecContext(const CodecContext&) = delete;
    CodecContext& operator=(const CodecContext&) = delete;

    void CreateCompress();
    void CreateDecompress();
    // Destroys the codec object; a second release does nothing.
    void Release();

    j_common_ptr Common() { return &codec_.common; }
    j_compress_ptr Compress() { return &codec_.compress; }
    j_decompress_ptr Decompress() { return &codec_.decompress; }
    ProgressState& Progress() { return progress_; }

    // Runs `step`, which calls the library; its fatal error raises EJPEG "JPEG error #%d" (or
    // EOutOfMemory when the library ran out of memory), a hook's failure raises that failure.
    template <class Step>
    void Call(Step&& step) {
        using StepType = std::remove_reference_t<Step>;
        if (!RunGuarded(
                *this, [](void* s) { (*static_cast<StepType*>(s))(); }, &step))
            RaiseFailure();
    }

    // For hooks inside the library.
    static CodecContext& Of(j_common_ptr cinfo) { return *static_cast<CodecContext*>(cinfo->client_data); }
    static CodecContext& Of(j_decompress_ptr cinfo) { return Of(reinterpret_cast<j_common_ptr>(cinfo)); }
    static CodecContext& Of(j_compress_ptr cinfo) { return Of(reinterpret_cast<j_common_ptr>(cinfo)); }
    void KeepFailure(std::exception_ptr failure) { failure_ = std::move(failure); }
    [[noreturn]] void LeaveLibrary();

    // Decoder settings of the final pass while incremental display runs interim passes.
    J_DCT_METHOD finalDctMethod = JDCT_FLOAT;
    boolean finalTwoPassQuantize = FALSE;
    J_DITHER_MODE finalDitherMode = JDITHER_NONE;

private:
    friend bool RunGuarded(CodecContext& context, void (*run)(void*), void* step);
    void Create(bool compress);
    [[noreturn]] void RaiseFailure();

    jpeg_error_mgr errorManager_;
    ProgressState progress_;
    union {
        jpeg_common_struct common;
        jpeg_compress_struct compress;
        jpeg_decompress_struct decompress;
    } codec_;
    bool created_ = false;
    std::jmp_buf* landing_ = nullptr;
    std::exception_ptr failure_;
};

// The one place that sets a landing point: false when the step left the library by longjmp.
bool RunGuarded(CodecContext& context, void (*run)(void*), void* step);

}  // namespace jpeg
