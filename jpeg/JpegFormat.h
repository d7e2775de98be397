#pragma once
// Start-up and shut-down of the JPEG module: the default decoding depth chosen from the display,
// and the "jpeg" and "jpg" entries of the format registry. Both calls may be repeated.

void RegisterJpegFormat();
void UnregisterJpegFormat();
