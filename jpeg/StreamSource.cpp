#include "jpeg/StreamSource.h"

#include <cstdint>

#include <jerror.h>

#include "graphics/Streams.h"
#include "jpeg/CodecContext.h"

namespace jpeg {
namespace {

struct StreamSourceManager {
    jpeg_source_mgr pub;  // first: the library sees only this part
    TStream* stream;
    JOCTET* buffer;
    bool startOfData;
    bool ended;
};

StreamSourceManager& SourceOf(j_decompress_ptr cinfo) { return *reinterpret_cast<StreamSourceManager*>(cinfo->src); }

void InitSource(j_decompress_ptr cinfo) { SourceOf(cinfo).startOfData = true; }

// A failing stream is kept as the pending failure and reported as false.
bool ReadBlock(j_decompress_ptr cinfo, StreamSourceManager& source, std::int64_t& count) noexcept {
    try {
        count = source.stream->Read(source.buffer, StreamSourceBufferSize);
        if (count < 0 || count > std::int64_t(StreamSourceBufferSize)) count = 0;
        return true;
    } catch (...) {
        CodecContext::Of(cinfo).KeepFailure(std::current_exception());
        return false;
    }
}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    StreamSourceManager& source = SourceOf(cinfo);
    std::int64_t count = 0;
    if (!source.ended && !ReadBlock(cinfo, source, count)) CodecContext::Of(cinfo).LeaveLibrary();
    if (count == 0) {
        if (source.startOfData) ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        source.buffer[0] = JOCTET(0xFF);
        source.buffer[1] = JOCTET(JPEG_EOI);
        count = 2;
    }
    source.pub.next_input_byte = source.buffer;
    source.pub.bytes_in_buffer = std::size_t(count);
    source.startOfData = false;
    return TRUE;
}

// Once the data is gone every refill gives two bytes, so a long skip still ends.
void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    StreamSourceManager& source = SourceOf(cinfo);
    while (count > long(source.pub.bytes_in_buffer)) {
        count -= long(source.pub.bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    source.pub.next_input_byte += count;
    source.pub.bytes_in_buffer -= std::size_t(count);
}

void TermSource(j_decompress_ptr) {}

StreamSourceManager& MakeSource(j_decompress_ptr cinfo) {
    auto* source = static_cast<StreamSourceManager*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(StreamSourceManager)));
    source->buffer = static_cast<JOCTET*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, StreamSourceBufferSize));
    cinfo->src = &source->pub;
    return *source;
}

}  // namespace

void InstallStreamSource(j_decompress_ptr cinfo, TStream& stream) {
    StreamSourceManager& source = cinfo->src ? SourceOf(cinfo) : MakeSource(cinfo);
    source.pub.init_source = InitSource;
    source.pub.fill_input_buffer = FillInputBuffer;
    source.pub.skip_input_data = SkipInputData;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = TermSource;
    source.pub.bytes_in_buffer = 0;
    source.pub.next_input_byte = nullptr;
    source.stream = &stream;
    source.startOfData = true;
    source.ended = false;
}

void EndStreamSource(j_decompress_ptr cinfo) {
    if (!cinfo->src) return;
    StreamSourceManager& source = SourceOf(cinfo);
    if (source.ended) return;
    source.ended = true;
    source.pub.bytes_in_buffer = 0;
}

}  // namespace jpeg
