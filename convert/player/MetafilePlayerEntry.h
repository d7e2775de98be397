#pragma once
// What the metafile player module offers the tool; the names are looked up when it is loaded.

#include "platform/GdiTypes.h"

namespace platform {
class EnhMetaFile;
class Surface;
}  // namespace platform

extern "C" {
// Starts the GUI library's application object for its fonts, on the calling (main) thread.
void ObrazorStartFonts();
// Ends it again, before the program ends.
void ObrazorStopFonts();
// platform::PlayMetafileInto of the module's own player.
void ObrazorPlayMetafile(platform::Surface& surface, const platform::EnhMetaFile& emf, const platform::RECT& rect);
}

using StartFontsCall = decltype(&ObrazorStartFonts);
using StopFontsCall = decltype(&ObrazorStopFonts);
using PlayMetafileCall = decltype(&ObrazorPlayMetafile);
