#pragma once
// The program's version, as the project's build gives it: the window's caption, the About
// window and obrazor-convert --version all show this one text.

extern const char* const kProgramVersion;
