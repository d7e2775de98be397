#pragma once
// The declarative description of a form: its own properties and its components, each with a
// name, a class, a parent, bounds and properties. A form reads it when it is created.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// An identifier: an enumeration value (taRightJustify), a colour (clBlue), a handler
// (Button2Click) or another component (FileListBox1).
struct TIdent {
    std::string name;
};

// Bytes kept in the program image, such as a picture's persisted block.
struct TBinary {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

using TPropertyValue = std::variant<std::int64_t, bool, std::string, TIdent, TBinary, std::vector<std::string>>;

struct TPropertyDesc {
    std::string name;
    TPropertyValue value;
};

struct TComponentDesc {
    std::string name;
    std::string className;
    std::string parent;  // empty: the form itself
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<TPropertyDesc> properties;
};

struct TFormDescription {
    std::vector<TPropertyDesc> properties;
    std::vector<TComponentDesc> components;
};

// Short spellings for writing descriptions in code.
namespace fd {
inline TPropertyDesc P(const char* name, TPropertyValue value) { return {name, std::move(value)}; }
inline TPropertyValue I(const char* ident) { return TIdent{ident}; }
inline TPropertyValue N(std::int64_t number) { return number; }
inline TPropertyValue S(const char* text) { return std::string(text); }
inline TPropertyValue B(const std::uint8_t* data, std::size_t size) { return TBinary{data, size}; }
}  // namespace fd
