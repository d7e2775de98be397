#pragma once
// The metafile player of obrazor-convert, loaded from its module when a run holds a metafile.
// This program's platform::PlayMetafileInto plays through it, so the tool does not link the GUI
// library at all.

#include <string>

// Loads the module and starts its fonts; call on the main thread before any metafile is drawn.
// Returns "" or why the player could not be loaded; drawing a metafile then raises that reason.
std::string LoadMetafilePlayer();
// Ends the fonts, if they were started.
void UnloadMetafilePlayer();
