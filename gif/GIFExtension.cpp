// The extension base, graphic control, plain text and comment extensions.
#include "gif/GIFExtension.h"

#include "gif/GIFMessages.h"
#include "gif/GIFStreamIO.h"
#include "gif/GIFSubImage.h"
#include "graphics/Streams.h"
#include "platform/LittleEndian.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFExtension, TGIFItem);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFGraphicControlExtension, TGIFExtension);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFTextExtension, TGIFExtension);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFCommentExtension, TGIFExtension);

namespace {
constexpr std::uint8_t kExtensionIntroducer = 0x21;

template <class Kind>
std::unique_ptr<TGIFExtension> Make(TGIFSubImage* frame) {
    return std::make_unique<Kind>(frame);
}
TGIFExtensionClass Same(TGIFExtensionClass kind) { return kind; }
}  // namespace

constinit const TGIFExtensionKind TGIFGraphicControlExtension::KindRecord{&TGIFGraphicControlExtension::Class, Label,
                                                                          Make<TGIFGraphicControlExtension>,
                                                                          [](TStream&) { return Same(&KindRecord); }};
constinit const TGIFExtensionKind TGIFTextExtension::KindRecord{
    &TGIFTextExtension::Class, Label, Make<TGIFTextExtension>, [](TStream&) { return Same(&KindRecord); }};
constinit const TGIFExtensionKind TGIFCommentExtension::KindRecord{
    &TGIFCommentExtension::Class, Label, Make<TGIFCommentExtension>, [](TStream&) { return Same(&KindRecord); }};

TGIFExtension::TGIFExtension(TGIFSubImage* frame) : TGIFItem(frame ? frame->Image() : nullptr), frame_(frame) {}

// A frame's list owns its extensions; one freed while still listed leaves the list first.
TGIFExtension::~TGIFExtension() {
    if (frame_) (void)frame_->Extensions().Extract(this).release();
}

void TGIFExtension::LoadFromStream(TStream& stream) {
    std::uint8_t prefix[2];
    gif::ReadExact(stream, prefix, 2);
    if (prefix[0] != kExtensionIntroducer) RaiseGIFError(gifmsg::SBadExtensionIntroducer);
    if (prefix[1] != ExtensionLabel()) RaiseGIFError(gifmsg::SExtensionMismatch);
    LoadBody(stream);
}

void TGIFExtension::SaveToStream(TStream& stream) {
    gif::WriteU8(stream, kExtensionIntroducer);
    gif::WriteU8(stream, ExtensionLabel());
    SaveBody(stream);
}

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage* frame) : TGIFExtension(frame) {
    if (frame && !frame->GraphicControlExtension()) frame->SetGraphicControlExtension(this);
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension() {
    TGIFSubImage* frame = Frame();
    if (!frame) return;
    if (HasTransparency()) frame->SetTransparent(false);
    if (frame->GraphicControlExtension() == this) frame->SetGraphicControlExtension(nullptr);
}

void TGIFGraphicControlExtension::SetTransparency(bool value) {
    Record.PackedFields = std::uint8_t(value ? Record.PackedFields | 1 : Record.PackedFields & ~1);
    if (Frame() && value) Frame()->SetTransparent(true);
}

// Exactly six bytes belong to the block, whatever its Block Size says.
void TGIFGraphicControlExtension::LoadBody(TStream& stream) {
    std::uint8_t bytes[6] = {};
    if (stream.Read(bytes, 6) != 6) {
        ReportWarning(GIFWarningSeverity, gifmsg::SPrematureEOF);
    } else if (bytes[1] & 1) {
        if (Frame()) Frame()->SetTransparent(true);
    }
    Record = {bytes[0], bytes[1], platform::LittleU16(bytes + 2), bytes[4], bytes[5]};
}

void TGIFGraphicControlExtension::SaveBody(TStream& stream) {
    const std::uint8_t bytes[6] = {Record.BlockSize,
                                   Record.PackedFields,
                                   std::uint8_t(Record.DelayTime),
                                   std::uint8_t(Record.DelayTime >> 8),
                                   Record.TransparentColorIndex,
                                   Record.Terminator};
    stream.WriteBuffer(bytes, 6);
}

void TGIFTextExtension::LoadBody(TStream& stream) {
    std::uint8_t b[13];
    gif::ReadExact(stream, b, 13);
    auto u16 = [&](int at) { return platform::LittleU16(b + at); };
    Record = {b[0], u16(1), u16(3), u16(5), u16(7), b[9], b[10], b[11], b[12]};
    gif::ReadSubBlockLines(stream, Lines);
}

void TGIFTextExtension::SaveBody(TStream& stream) {
    gif::WriteU8(stream, Record.BlockSize);
    for (std::uint16_t v : {Record.Left, Record.Top, Record.GridWidth, Record.GridHeight}) gif::WriteU16(stream, v);
    for (std::uint8_t v :
         {Record.CellWidth, Record.CellHeight, Record.ForegroundColorIndex, Record.BackgroundColorIndex})
        gif::WriteU8(stream, v);
    gif::WriteSubBlockLines(stream, Lines);
}

void TGIFCommentExtension::LoadBody(TStream& stream) { gif::ReadSubBlockLines(stream, Lines); }

void TGIFCommentExtension::SaveBody(TStream& stream) { gif::WriteSubBlockLines(stream, Lines); }
