#include "ui/PropertyValue.h"

#include <map>

#include "graphics/Exceptions.h"

namespace ui {

namespace {
constexpr const char* kInvalidPropertyValue = "Invalid property value";

template <typename T>
const T& Get(const TPropertyValue& value) {
    const T* result = std::get_if<T>(&value);
    if (!result) InvalidPropertyValue();
    return *result;
}

template <typename E>
E Lookup(const std::map<std::string, E>& names, const TPropertyValue& value) {
    const auto found = names.find(AsIdent(value));
    if (found == names.end()) InvalidPropertyValue();
    return found->second;
}
}  // namespace

void InvalidPropertyValue() { throw EReadError(kInvalidPropertyValue); }

int AsInt(const TPropertyValue& value) { return int(Get<std::int64_t>(value)); }
bool AsBool(const TPropertyValue& value) { return Get<bool>(value); }
std::string AsText(const TPropertyValue& value) { return Get<std::string>(value); }
const std::string& AsIdent(const TPropertyValue& value) { return Get<TIdent>(value).name; }
const TBinary& AsBinary(const TPropertyValue& value) { return Get<TBinary>(value); }
const std::vector<std::string>& AsLines(const TPropertyValue& value) { return Get<std::vector<std::string>>(value); }

TColor AsColor(const TPropertyValue& value) {
    if (std::holds_alternative<std::int64_t>(value)) return TColor(AsInt(value));
    static const std::map<std::string, TColor> names{{"clBlack", clBlack},
                                                     {"clWhite", clWhite},
                                                     {"clBlue", clBlue},
                                                     {"clRed", clRed},
                                                     {"clBtnFace", clBtnFace},
                                                     {"clWindow", clWindow},
                                                     {"clWindowText", clWindowText}};
    return Lookup(names, value);
}

TCursor AsCursor(const TPropertyValue& value) {
    static const std::map<std::string, TCursor> names{{"crDefault", TCursor::crDefault},
                                                      {"crArrow", TCursor::crArrow},
                                                      {"crHandPoint", TCursor::crHandPoint},
                                                      {"crHourGlass", TCursor::crHourGlass}};
    return Lookup(names, value);
}

TAlignment AsAlignment(const TPropertyValue& value) {
    static const std::map<std::string, TAlignment> names{{"taLeftJustify", TAlignment::taLeftJustify},
                                                         {"taRightJustify", TAlignment::taRightJustify},
                                                         {"taCenter", TAlignment::taCenter}};
    return Lookup(names, value);
}

}  // namespace ui
