#include "jpeg/CodecContext.h"

#include <cstring>
#include <string>

#include <jerror.h>

#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "jpeg/CodecProgress.h"
#include "jpeg/JPEGImage.h"

namespace jpeg {
namespace {

void ErrorExit(j_common_ptr cinfo) { CodecContext::Of(cinfo).LeaveLibrary(); }
// Warnings and trace messages are neither counted nor shown.
void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}
void FormatMessage(j_common_ptr, char* buffer) { buffer[0] = '\0'; }
void ResetErrorManager(j_common_ptr cinfo) {
    cinfo->err->num_warnings = 0;
    cinfo->err->msg_code = 0;
}

// No message table is attached: only the code of a fatal error matters.
const jpeg_error_mgr ErrorManagerTemplate = [] {
    jpeg_error_mgr manager;
    std::memset(&manager, 0, sizeof manager);
    manager.error_exit = ErrorExit;
    manager.emit_message = EmitMessage;
    manager.output_message = OutputMessage;
    manager.format_message = FormatMessage;
    manager.reset_error_mgr = ResetErrorManager;
    return manager;
}();

// The library's own message for a failure, its fields filled in from the failure's parameters;
// empty for a code the library has no message for. The codec's error manager keeps no table.
std::string LibraryWords(const jpeg_error_mgr& failed) {
    jpeg_error_mgr standard;
    jpeg_std_error(&standard);
    if (failed.msg_code <= 0 || failed.msg_code > standard.last_jpeg_message) return "";
    standard.msg_code = failed.msg_code;
    std::memcpy(&standard.msg_parm, &failed.msg_parm, sizeof standard.msg_parm);
    jpeg_common_struct common;
    std::memset(&common, 0, sizeof common);
    common.err = &standard;
    char text[JMSG_LENGTH_MAX] = {};
    standard.format_message(&common, text);
    return text;
}

}  // namespace

CodecContext::CodecContext(TGraphic* owner) : errorManager_(ErrorManagerTemplate) {
    std::memset(&progress_, 0, sizeof progress_);
    std::memset(&codec_, 0, sizeof codec_);
    progress_.pub.progress_monitor = CodecProgress;
    progress_.Owner = owner;
}

void CodecContext::CreateCompress() { Create(true); }

void CodecContext::CreateDecompress() { Create(false); }

void CodecContext::Create(bool compress) {
    codec_.common.err = &errorManager_;
    codec_.common.client_data = this;
    // Marked first: a creation that fails halfway still needs its destroy.
    created_ = true;
    if (compress) Call([this] { jpeg_create_compress(&codec_.compress); });
    else Call([this] { jpeg_create_decompress(&codec_.decompress); });
    codec_.common.progress = progress_.Owner ? &progress_.pub : nullptr;
}

void CodecContext::Release() {
    if (!created_) return;
    created_ = false;
    jpeg_destroy(&codec_.common);
}

void CodecContext::LeaveLibrary() {
    // Every library call runs under Call; a jump without a landing point would be a bug.
    if (!landing_) std::terminate();
    std::longjmp(*landing_, 1);
}

void CodecContext::RaiseFailure() {
    if (failure_) {
        std::exception_ptr failure = std::move(failure_);
        failure_ = nullptr;
        std::rethrow_exception(failure);
    }
    const int code = errorManager_.msg_code;
    if (code == JERR_OUT_OF_MEMORY) throw EOutOfMemory(msg::SOutOfMemory);
    throw EJPEG(code, LibraryWords(errorManager_));
}

bool RunGuarded(CodecContext& context, void (*run)(void*), void* step) {
    std::jmp_buf landing;
    std::jmp_buf* const outer = context.landing_;
    context.landing_ = &landing;
    if (setjmp(landing) != 0) {
        context.landing_ = outer;
        return false;
    }
    run(step);
    context.landing_ = outer;
    return true;
}

}  // namespace jpeg
