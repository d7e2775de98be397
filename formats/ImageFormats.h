#pragma once
// Start-up and shut-down of the PNG, WebP and HEIF module: the "heic", "heif", "png" and "webp"
// entries of the format registry. Both calls may be repeated.

void RegisterImageFormats();
void UnregisterImageFormats();
