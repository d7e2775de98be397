#include "filectrl/GlyphResources.h"

#include <algorithm>

#include "graphics/Bitmap.h"
#include "graphics/Streams.h"

const char* GlyphResourceName(TGlyphKind kind) {
    switch (kind) {
    case TGlyphKind::Floppy: return "FLOPPY";
    case TGlyphKind::Hard: return "HARD";
    case TGlyphKind::Network: return "NETWORK";
    case TGlyphKind::CDRom: return "CDROM";
    case TGlyphKind::Ram: return "RAM";
    case TGlyphKind::OpenFolder: return "OPENFOLDER";
    case TGlyphKind::CurrentFolder: return "CURRENTFOLDER";
    case TGlyphKind::ClosedFolder: return "CLOSEDFOLDER";
    case TGlyphKind::Executable: return "EXECUTABLE";
    case TGlyphKind::UnknownFile: return "UNKNOWNFILE";
    case TGlyphKind::None: break;
    }
    return nullptr;
}

std::unique_ptr<TBitmap> LoadGlyph(const std::string& name) {
    const auto resources = GlyphResources();
    const auto found =
        std::find_if(resources.begin(), resources.end(), [&](const GlyphResource& r) { return name == r.name; });
    if (found == resources.end()) throw EResNotFound(Format("Resource %s not found", name.c_str()));
    TMemoryStream stream;
    stream.WriteBuffer(found->bytes, std::int64_t(found->size));
    stream.SetPosition(0);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(stream);
    return bitmap;
}
