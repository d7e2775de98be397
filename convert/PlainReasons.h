#pragma once
// Failures told plainly on the command line, where the window keeps its own exact texts: inputs
// that are no picture file at all, libjpeg's own words after "JPEG error #N", and names whose
// control characters would break one file's line in two.

#include <string>

// Why the file cannot be a picture file (not a regular file, empty, no extension), or "".
std::string InputProblem(const std::string& source);

// The message with libjpeg's text for "JPEG error #N" added; other messages as they are.
std::string WithLibraryText(const std::string& message);

// The text with every control character written as an escape (\n, \t, \r, \xNN).
std::string EscapeControls(const std::string& text);
