#include "jpeg/StreamDestination.h"

#include <cstdint>

#include <jerror.h>

#include "graphics/Streams.h"
#include "jpeg/CodecContext.h"

namespace jpeg {
namespace {

struct StreamDestinationManager {
    jpeg_destination_mgr pub;  // first: the library sees only this part
    TStream* stream;
    JOCTET* buffer;
};

StreamDestinationManager& DestinationOf(j_compress_ptr cinfo) {
    return *reinterpret_cast<StreamDestinationManager*>(cinfo->dest);
}

void InitDestination(j_compress_ptr cinfo) {
    StreamDestinationManager& destination = DestinationOf(cinfo);
    destination.buffer = static_cast<JOCTET*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, StreamDestinationBufferSize));
    destination.pub.next_output_byte = destination.buffer;
    destination.pub.free_in_buffer = StreamDestinationBufferSize;
}

// A stream that throws keeps its failure pending and reports false.
bool WriteBlock(j_compress_ptr cinfo, std::size_t count, std::int64_t& written) noexcept {
    StreamDestinationManager& destination = DestinationOf(cinfo);
    try {
        written = destination.stream->Write(destination.buffer, std::int64_t(count));
        return true;
    } catch (...) {
        CodecContext::Of(cinfo).KeepFailure(std::current_exception());
        return false;
    }
}

void Flush(j_compress_ptr cinfo, std::size_t count) {
    std::int64_t written = 0;
    if (!WriteBlock(cinfo, count, written)) CodecContext::Of(cinfo).LeaveLibrary();
    if (written != std::int64_t(count)) ERREXIT(cinfo, JERR_FILE_WRITE);
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    Flush(cinfo, StreamDestinationBufferSize);
    StreamDestinationManager& destination = DestinationOf(cinfo);
    destination.pub.next_output_byte = destination.buffer;
    destination.pub.free_in_buffer = StreamDestinationBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    const std::size_t count = StreamDestinationBufferSize - DestinationOf(cinfo).pub.free_in_buffer;
    if (count > 0) Flush(cinfo, count);
}

}  // namespace

void InstallStreamDestination(j_compress_ptr cinfo, TStream& stream) {
    if (!cinfo->dest) {
        cinfo->dest = static_cast<jpeg_destination_mgr*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(StreamDestinationManager)));
    }
    StreamDestinationManager& destination = DestinationOf(cinfo);
    destination.pub.init_destination = InitDestination;
    destination.pub.empty_output_buffer = EmptyOutputBuffer;
    destination.pub.term_destination = TermDestination;
    destination.stream = &stream;
    destination.buffer = nullptr;
}

}  // namespace jpeg
