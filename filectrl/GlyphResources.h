#pragma once
// The glyph bitmaps built into the program, looked up by resource name ("FLOPPY", "HARD", ...).

#include <cstddef>
#include <memory>
#include <span>
#include <string>

#include "filectrl/EntryList.h"
#include "graphics/Exceptions.h"

class TBitmap;

// A resource the program looks for is not built in.
OBRAZOR_EXCEPTION(EResNotFound, Exception);

struct GlyphResource {
    const char* name;
    const unsigned char* bytes;  // a BMP file
    std::size_t size;
};

std::span<const GlyphResource> GlyphResources();
// The resource name of a glyph kind; null for TGlyphKind::None.
const char* GlyphResourceName(TGlyphKind kind);
// The named glyph as a bitmap; raises EResNotFound "Resource %s not found" for an unknown name.
std::unique_ptr<TBitmap> LoadGlyph(const std::string& name);
