#pragma once
// The one door to the metafile player, which draws with the GUI library. It has a file of its
// own so that a program can put another door in its place (obrazor-convert loads the player only
// for a run that holds a metafile).

#include "platform/GdiTypes.h"

namespace platform {

class EnhMetaFile;
class Surface;

// Plays the records into a 32-bit top-down surface, the picture frame fitted to the inclusive
// rectangle.
void PlayMetafileInto(Surface& surface, const EnhMetaFile& emf, const RECT& rect);

}  // namespace platform
