#pragma once
// Lower case for names, written once for the format registry's extensions and the file lists'
// order: ASCII, Latin-1 and Latin Extended-A letters (the program's code page and Czech).

#include <string>

// The letter's lower-case code point; every other code point as it is.
char32_t LowerLetter(char32_t c);

// The text with those letters lowered; it is UTF-8 and stays so, and any other byte is kept.
std::string AnsiLowerCase(const std::string& text);
