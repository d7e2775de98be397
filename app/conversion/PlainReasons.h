#pragma once
// Failures told plainly on the command line, where the window keeps its own exact texts: inputs
// that are no picture file at all, the JPEG library's own words after "JPEG error #N", and names
// whose control characters would break one file's line in two.

#include <exception>
#include <string>

// Why the file cannot be a picture file (not a regular file, empty, no extension), or "".
std::string InputProblem(const std::string& source);

// The failure's message, with the JPEG library's words added in brackets when it has any;
// "Out of memory" for memory that could not be had.
std::string FailureReason(const std::exception& error);

// The text with every control character written as an escape (\n, \t, \r, \xNN).
std::string EscapeControls(const std::string& text);
