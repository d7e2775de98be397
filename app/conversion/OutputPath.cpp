#include "app/conversion/OutputPath.h"

std::string OutputPathFor(const std::string& source) {
    const std::size_t last = source.find_last_of("./");
    if (last != std::string::npos && source[last] == '.') return source.substr(0, last) + kOutputSuffix;
    return source + kOutputSuffix;
}
