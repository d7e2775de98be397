#include "ui/ComponentClasses.h"

#include <map>

#include "ui/StandardClasses.h"

namespace {
std::map<std::string, TComponentClass>& Classes() {
    static std::map<std::string, TComponentClass> classes;
    return classes;
}
}  // namespace

void RegisterComponentClass(const std::string& className, TComponentClass componentClass) {
    Classes()[className] = std::move(componentClass);
}

const TComponentClass* FindComponentClass(const std::string& className) {
    static const bool standard = (RegisterStandardClasses(), true);
    (void)standard;
    const auto found = Classes().find(className);
    return found == Classes().end() ? nullptr : &found->second;
}
