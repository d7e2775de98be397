#pragma once
// Names as the lists show them: stored bytes are kept for paths, but a name that is not valid
// UTF-8, or holds control characters, is shown with U+FFFD in place of each offending byte.

#include <QString>
#include <string_view>

QString DisplayText(std::string_view bytes);
