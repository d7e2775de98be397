#include "platform/RuntimeLibrary.h"

#include <dlfcn.h>

void* platform::OpenRuntimeLibrary(const char* soname) { return ::dlopen(soname, RTLD_NOW | RTLD_LOCAL); }

void* platform::RuntimeSymbol(void* library, const char* name) { return ::dlsym(library, name); }
