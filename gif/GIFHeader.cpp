// The header (signature, Logical Screen Descriptor, global colour map) and the trailer.
#include <cctype>

#include "gif/GIFImage.h"
#include "gif/GIFLimits.h"
#include "gif/GIFMessages.h"
#include "gif/GIFStreamIO.h"
#include "graphics/Streams.h"
#include "platform/LittleEndian.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFHeader, TGIFItem);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFTrailer, TGIFItem);

namespace {
constexpr std::uint8_t kGlobalMapFlag = 0x80;
constexpr std::uint8_t kSortFlag = 0x08;
constexpr std::uint8_t kTrailer = 0x3B;
// Some files carry four bytes of something else in front of the signature.
constexpr int kSignatureLeniency = 4;

bool IsSignature(const std::uint8_t* bytes) {
    return std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' && std::toupper(bytes[2]) == 'F';
}
}  // namespace

TGIFHeader::TGIFHeader(TGIFImage* image) : TGIFItem(image), colorMap_(this) {}

void TGIFHeader::Reset() {
    colorMap_.ResetMap();
    Screen = {};
}

void TGIFHeader::CopyFrom(TPersistent* source) {
    auto* header = dynamic_cast<TGIFHeader*>(source);
    if (!header) return TGIFItem::CopyFrom(source);
    if (header == this) return;
    Screen = header->Screen;
    colorMap_.CopyFrom(&header->colorMap_);
}

std::uint8_t TGIFHeader::RequiredVersion() {
    return colorMap_.Sorted() || Screen.AspectRatio != 0 ? GIFVersion89a : GIFVersion87a;
}

void TGIFHeader::LoadFromStream(TStream& stream) {
    const std::int64_t start = stream.Position();
    std::uint8_t signature[6];
    gif::ReadExact(stream, signature, 6);
    if (!IsSignature(signature)) {
        stream.SetPosition(start + kSignatureLeniency);
        gif::ReadExact(stream, signature, 6);
        if (!IsSignature(signature)) RaiseGIFError(gifmsg::SBadSignature);
    }
    std::uint8_t b[7];
    gif::ReadExact(stream, b, 7);
    Screen = {platform::LittleU16(b), platform::LittleU16(b + 2), b[4], b[5], b[6]};
    if (std::int64_t(Screen.Width) * Screen.Height > gif::MaxScreenPixels) RaiseGIFError(gifmsg::SScreenTooLarge);
    if (Screen.PackedFields & kGlobalMapFlag) colorMap_.ReadEntries(stream, 2 << (Screen.PackedFields & 7));
    else colorMap_.ResetMap();
}

void TGIFHeader::RecomputePackedFields() {
    std::uint8_t packed = 0;
    const int globalBits = TGIFColorMap::BitsForColorCount(colorMap_.Count());
    if (colorMap_.Count() > 0) {
        packed |= kGlobalMapFlag;
        if (colorMap_.Sorted()) packed |= kSortFlag;
        packed |= std::uint8_t(globalBits - 1);
    }
    const int resolution = image_ ? image_->BitsPerPixel() : globalBits;
    if (resolution > 0) packed |= std::uint8_t((resolution - 1) << 4);
    Screen.PackedFields = packed;
}

void TGIFHeader::SaveToStream(TStream& stream) {
    const std::uint8_t version = image_ ? image_->RequiredVersion() : RequiredVersion();
    if (version == GIFVersionNone) RaiseGIFError(gifmsg::SUnsupportedVersion);
    stream.WriteBuffer(version == GIFVersion87a ? "GIF87a" : "GIF89a", 6);
    RecomputePackedFields();
    gif::WriteU16(stream, Screen.Width);
    gif::WriteU16(stream, Screen.Height);
    for (std::uint8_t v : {Screen.PackedFields, Screen.BackgroundColorIndex, Screen.AspectRatio})
        gif::WriteU8(stream, v);
    colorMap_.SaveToStream(stream);
}

void TGIFTrailer::LoadFromStream(TStream& stream) {
    const int byte = gif::ReadU8(stream);
    if (byte >= 0 && byte != kTrailer) ReportWarning(GIFWarningSeverity, gifmsg::SBadTrailer);
}

void TGIFTrailer::SaveToStream(TStream& stream) { gif::WriteU8(stream, kTrailer); }
