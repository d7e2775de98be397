// Application extensions: the identifier block, unregistered kinds kept verbatim, and the
// looping extension.
#include <algorithm>

#include "gif/GIFExtension.h"
#include "gif/GIFMessages.h"
#include "gif/GIFStreamIO.h"
#include "graphics/Streams.h"
#include "platform/LittleEndian.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFApplicationExtension, TGIFExtension);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFUnknownAppExtension, TGIFApplicationExtension);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFAppExtNSLoop, TGIFApplicationExtension);

namespace {
constexpr int kIdentifierSize = 11;
constexpr int kShortIdentifierSize = 10;
constexpr std::uint8_t kLoopBlock = 1;
constexpr std::uint8_t kBufferBlock = 2;

std::unique_ptr<TGIFExtension> MakeUnknown(TGIFSubImage* frame) {
    return std::make_unique<TGIFUnknownAppExtension>(frame);
}
std::unique_ptr<TGIFExtension> MakeLoop(TGIFSubImage* frame) { return std::make_unique<TGIFAppExtNSLoop>(frame); }

// Reads on from just after the label to find the kind the identifier names. A block size other
// than 10 or 11 keeps the general kind, whose blocks are then held as an unregistered kind's.
TGIFExtensionClass RefineApplication(TStream& stream) {
    const std::int64_t start = stream.Position();
    const int size = gif::ReadU8(stream);
    if (size < 0) return nullptr;
    TGIFApplicationIdentifier identifier{};
    if (size == kShortIdentifierSize)
        return stream.Read(identifier.data(), size) == size ? &TGIFUnknownAppExtension::KindRecord : nullptr;
    if (size == kIdentifierSize && stream.Read(identifier.data(), size) == size) {
        const TGIFExtensionClass kind = TAppExtensionList::Instance().Find(identifier);
        return kind ? kind : &TGIFUnknownAppExtension::KindRecord;
    }
    stream.SetPosition(start);
    return &TGIFApplicationExtension::KindRecord;
}
}  // namespace

constinit const TGIFExtensionKind TGIFApplicationExtension::KindRecord{&TGIFApplicationExtension::Class, Label,
                                                                       MakeUnknown, RefineApplication};
constinit const TGIFExtensionKind TGIFUnknownAppExtension::KindRecord{
    &TGIFUnknownAppExtension::Class, Label, MakeUnknown, [](TStream&) -> TGIFExtensionClass { return &KindRecord; }};
constinit const TGIFExtensionKind TGIFAppExtNSLoop::KindRecord{
    &TGIFAppExtNSLoop::Class, Label, MakeLoop, [](TStream&) -> TGIFExtensionClass { return &KindRecord; }};

void TGIFApplicationExtension::SetIdentifier(const std::string& text) {
    Identifier.fill(0);
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), Identifier.size()), Identifier.begin());
}

void TGIFApplicationExtension::LoadBody(TStream& stream) {
    const int size = gif::ReadU8(stream);
    if (size == kShortIdentifierSize) {
        Identifier.fill(0);
        gif::ReadExact(stream, Identifier.data(), kShortIdentifierSize);
    } else if (size < kShortIdentifierSize) {
        RaiseGIFError(gifmsg::SBadAppExtensionSize);
    } else {
        gif::ReadExact(stream, Identifier.data(), kIdentifierSize);
        gif::SkipBytes(stream, size - kIdentifierSize);
    }
    ReadPayload(stream);
}

void TGIFApplicationExtension::SaveBody(TStream& stream) {
    gif::WriteU8(stream, kIdentifierSize);
    stream.WriteBuffer(Identifier.data(), kIdentifierSize);
    WritePayload(stream);
}

void TGIFUnknownAppExtension::ReadPayload(TStream& stream) {
    Blocks.clear();
    for (int size = gif::ReadU8(stream); size > 0; size = gif::ReadU8(stream)) {
        TGIFBlock block;
        block.Data.resize(std::size_t(size));
        gif::ReadExact(stream, block.Data.data(), size);
        Blocks.push_back(std::move(block));
    }
}

void TGIFUnknownAppExtension::WritePayload(TStream& stream) {
    for (const TGIFBlock& block : Blocks) {
        gif::WriteU8(stream, std::uint8_t(block.Data.size()));
        stream.WriteBuffer(block.Data.data(), std::int64_t(block.Data.size()));
    }
    gif::WriteU8(stream, 0);
}

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage* frame) : TGIFApplicationExtension(frame) {
    SetIdentifier("NETSCAPE2.0");
}

void TGIFAppExtNSLoop::ReadPayload(TStream& stream) {
    for (int size = gif::ReadU8(stream); size > 0; size = gif::ReadU8(stream)) {
        const int id = gif::ReadU8(stream);
        if (id < 0) return;
        switch (id & 7) {
        case kLoopBlock:
            if (size < 3) RaiseGIFError(gifmsg::SBadData);
            Loops = gif::ReadU16(stream);
            gif::SkipBytes(stream, size - 3);
            break;
        case kBufferBlock: {
            if (size < 5) RaiseGIFError(gifmsg::SBadData);
            std::uint8_t b[4];
            gif::ReadExact(stream, b, 4);
            BufferSize = platform::LittleU32(b);
            gif::SkipBytes(stream, size - 5);
            break;
        }
        default: gif::SkipBytes(stream, size - 1);
        }
    }
}

void TGIFAppExtNSLoop::WritePayload(TStream& stream) {
    gif::WriteU8(stream, 3);
    gif::WriteU8(stream, kLoopBlock);
    gif::WriteU16(stream, Loops);
    if (BufferSize != 0) {
        gif::WriteU8(stream, 5);
        gif::WriteU8(stream, kBufferBlock);
        for (int shift = 0; shift < 32; shift += 8) gif::WriteU8(stream, std::uint8_t(BufferSize >> shift));
    }
    gif::WriteU8(stream, 0);
}
