#include "jpeg/StreamSource.h"

#include <jerror.h>

#include "graphics/Streams.h"

namespace jpeg {
namespace {

struct StreamSourceManager {
    jpeg_source_mgr pub;  // first: the library sees only this part
    bool empty;           // the stream held no bytes at all
};

// Given, never written, whenever the library asks for bytes beyond the data.
const JOCTET EndOfImage[2] = {JOCTET(0xFF), JOCTET(JPEG_EOI)};

StreamSourceManager& SourceOf(j_decompress_ptr cinfo) { return *reinterpret_cast<StreamSourceManager*>(cinfo->src); }

void InitSource(j_decompress_ptr) {}

// Every byte of the block was given at once: a refill means the data has ended.
boolean FillInputBuffer(j_decompress_ptr cinfo) {
    StreamSourceManager& source = SourceOf(cinfo);
    if (source.empty) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source.pub.next_input_byte = EndOfImage;
    source.pub.bytes_in_buffer = sizeof EndOfImage;
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
    auto* source = static_cast<StreamSourceManager*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(StreamSourceManager)));
    cinfo->src = &source->pub;
    return *source;
}

}  // namespace

void InstallStreamSource(j_decompress_ptr cinfo, TMemoryStream& stream) {
    StreamSourceManager& source = cinfo->src ? SourceOf(cinfo) : MakeSource(cinfo);
    source.pub.init_source = InitSource;
    source.pub.fill_input_buffer = FillInputBuffer;
    source.pub.skip_input_data = SkipInputData;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = TermSource;
    const std::int64_t position = stream.Position();
    const std::int64_t remaining = stream.Size() > position ? stream.Size() - position : 0;
    source.pub.next_input_byte = remaining > 0 ? stream.Memory() + position : nullptr;
    source.pub.bytes_in_buffer = std::size_t(remaining);
    source.empty = remaining == 0;
}

void EndStreamSource(j_decompress_ptr cinfo) {
    if (!cinfo->src) return;
    StreamSourceManager& source = SourceOf(cinfo);
    source.empty = false;
    source.pub.bytes_in_buffer = 0;
}

}  // namespace jpeg
