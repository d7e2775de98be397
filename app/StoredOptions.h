#pragma once
// The window's options that are remembered between runs, in the user's settings (QSettings, an
// INI file under ~/.config/Datalesk/), or in the file that OBRAZOR_SETTINGS names.

// Whether conversions reduce smoothly; false until the user chooses otherwise.
bool StoredSmoothReduction();
void StoreSmoothReduction(bool on);
