#pragma once
// Start-up of the JPEG module: the default decoding depth chosen from the display. The "jpeg" and
// "jpg" entries of the format registry come from the program's list of formats.

void StartJpegModule();
