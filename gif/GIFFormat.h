#pragma once
// Start-up and shut-down of the GIF library: the display's palette setting and the clipboard
// format. The "gif" entry of the format registry comes from the program's list of formats.

void StartGifLibrary();
void StopGifLibrary();
