#pragma once
// Start-up and shut-down of every picture format module, in the order the program registers them:
// after the picture model's built-in entries come GIF, then JPEG ("jpeg", "jpg"), then the formats
// of today's phones and the web. The program, the command-line tool and the tests call these two
// instead of each module's own pair. Both may be repeated.

void RegisterPictureFormats();
void UnregisterPictureFormats();
