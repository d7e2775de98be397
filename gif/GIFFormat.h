#pragma once
// Start-up and shut-down of the GIF library: the "gif" entry of the format registry and the
// clipboard format. Both calls may be repeated.

void RegisterGifFormat();
void UnregisterGifFormat();
