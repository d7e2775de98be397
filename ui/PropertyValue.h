#pragma once
// Reading a property's value as the type the property needs. A value of the wrong kind, or an
// identifier the framework does not know, raises EReadError "Invalid property value".

#include <string>

#include "graphics/Canvas.h"
#include "ui/Control.h"
#include "ui/FormDescription.h"

namespace ui {
int AsInt(const TPropertyValue& value);
bool AsBool(const TPropertyValue& value);
std::string AsText(const TPropertyValue& value);
const std::string& AsIdent(const TPropertyValue& value);
const TBinary& AsBinary(const TPropertyValue& value);
const std::vector<std::string>& AsLines(const TPropertyValue& value);
TColor AsColor(const TPropertyValue& value);
TCursor AsCursor(const TPropertyValue& value);
TAlignment AsAlignment(const TPropertyValue& value);
[[noreturn]] void InvalidPropertyValue();
}  // namespace ui
