#pragma once
// The properties every control shares: caption, hint, cursor, font, colour, visibility, tab
// order, alignment and the click handler.

#include <string>

#include "ui/ComponentClasses.h"
#include "ui/Control.h"

// Returns false when the property is not a common one.
bool SetControlProperty(TControl& control, const std::string& name, const TPropertyValue& value,
                        const TReaderContext& context);
