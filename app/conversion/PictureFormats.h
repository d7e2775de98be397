#pragma once
// Every picture format the program reads, in one list that the format registry, the tool's folder
// scan and the window's file-type filter all take their extensions from. Start-up and shut-down
// of the format modules go through the two calls below; both may be repeated.

#include <span>
#include <string>

#include "graphics/Graphic.h"

struct TPictureFormat {
    const char* extension;  // without the dot, lower case
    TGraphicClass graphicClass;
    const char* description;
    int filterPlace;  // the extension's place in AllPicturesMask
};

// In the order the registry holds them: the picture model's built-in entries, then GIF, then JPEG
// ("jpeg", "jpg"), then the formats of today's phones and the web.
std::span<const TPictureFormat> PictureFormats();

// "*.jpg;*.jpeg;…": every extension of the list, photographs first.
std::string AllPicturesMask();

// Starts the GIF and JPEG modules and adds to the registry every entry it does not hold yet.
void RegisterPictureFormats();
// Removes what RegisterPictureFormats added and shuts the modules down again.
void UnregisterPictureFormats();
