#pragma once
// The one message box of the program: Yes/No questions and error boxes. Tests replace the box
// through MessageBoxHook and answer it themselves.

#include <functional>
#include <string>

constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Text and caption in UTF-8; flags as above; returns IDOK, IDYES or IDNO.
using TMessageBoxFunction = std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;

// When set, every box goes here instead of to the screen.
extern TMessageBoxFunction MessageBoxHook;

int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
