// The two registries of extension kinds, and how the kind of an extension block is found.
#include <memory>

#include "gif/GIFExtension.h"
#include "gif/GIFMessages.h"
#include "gif/GIFStreamIO.h"
#include "gif/GIFSubImage.h"
#include "graphics/Streams.h"

namespace {
std::unique_ptr<TExtensionList> extensionList;
std::unique_ptr<TAppExtensionList> appExtensionList;

TGIFApplicationIdentifier IdentifierOf(const char (&text)[12]) {
    TGIFApplicationIdentifier identifier{};
    std::copy_n(text, identifier.size(), identifier.begin());
    return identifier;
}
}  // namespace

TExtensionList::TExtensionList() {
    Add(TGIFTextExtension::Label, &TGIFTextExtension::KindRecord);
    Add(TGIFGraphicControlExtension::Label, &TGIFGraphicControlExtension::KindRecord);
    Add(TGIFCommentExtension::Label, &TGIFCommentExtension::KindRecord);
    Add(TGIFApplicationExtension::Label, &TGIFApplicationExtension::KindRecord);
}

TExtensionList& TExtensionList::Instance() {
    if (!extensionList) extensionList.reset(new TExtensionList);
    return *extensionList;
}

void TExtensionList::Add(std::uint8_t label, TGIFExtensionClass kind) { entries_.emplace_back(label, kind); }

TGIFExtensionClass TExtensionList::Find(std::uint8_t label) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->first == label) return it->second;
    return nullptr;
}

TAppExtensionList::TAppExtensionList() {
    Add(IdentifierOf("NETSCAPE2.0"), &TGIFAppExtNSLoop::KindRecord);
    Add(IdentifierOf("ANIMEXTS1.0"), &TGIFAppExtNSLoop::KindRecord);
}

TAppExtensionList& TAppExtensionList::Instance() {
    if (!appExtensionList) appExtensionList.reset(new TAppExtensionList);
    return *appExtensionList;
}

void TAppExtensionList::Add(const TGIFApplicationIdentifier& identifier, TGIFExtensionClass kind) {
    entries_.emplace_back(identifier, kind);
}

TGIFExtensionClass TAppExtensionList::Find(const TGIFApplicationIdentifier& identifier) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->first == identifier) return it->second;
    return nullptr;
}

void FreeGIFExtensionRegistries() {
    extensionList.reset();
    appExtensionList.reset();
}

TGIFExtensionClass ResolveExtensionClass(TStream& stream) {
    const std::int64_t start = stream.Position();
    const int label = gif::ReadU8(stream);
    TGIFExtensionClass kind = label < 0 ? nullptr : TExtensionList::Instance().Find(std::uint8_t(label));
    while (kind) {
        const TGIFExtensionClass refined = kind->refine(stream);
        if (refined == kind) break;
        kind = refined;
    }
    stream.SetPosition(start);
    return kind;
}

TGIFExtensionList::TGIFExtensionList(TGIFSubImage* frame) : TGIFList(frame ? frame->Image() : nullptr), frame_(frame) {}

OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFExtensionList, TGIFList);

void TGIFExtensionList::LoadFromStream(TStream& stream, TObject*) {
    constexpr int kIntroducer = 0x21, kSeparator = 0x2C, kTrailer = 0x3B;
    int byte = gif::ReadU8(stream);
    if (byte < 0) return;
    while (byte != kSeparator && byte != kTrailer) {
        if (byte != kIntroducer) {
            ReportWarning(GIFWarningSeverity, gifmsg::SBadExtensionIntroducer);
            break;
        }
        const TGIFExtensionClass kind = ResolveExtensionClass(stream);
        if (!kind) RaiseGIFError(gifmsg::SUnknownExtension);
        stream.Seek(-1, TSeekOrigin::soCurrent);
        std::unique_ptr<TGIFExtension> extension = kind->create(frame_);
        extension->LoadFromStream(stream);
        Add(std::move(extension));
        byte = gif::ReadU8(stream);
        if (byte < 0) return;
    }
    stream.Seek(-1, TSeekOrigin::soCurrent);
}
