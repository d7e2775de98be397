#include "formats/HeifRuntime.h"

#include <dlfcn.h>

#include <mutex>

#include "formats/FormatMessages.h"
#include "graphics/Exceptions.h"

namespace {

// All functions or none: a library without one of them is not used at all.
formats::HeifCalls Load() {
    void* library = ::dlopen(OBRAZOR_HEIF_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library) return {};
    formats::HeifCalls calls;
    bool complete = true;
#define OBRAZOR_HEIF_BIND(name)                                                           \
    calls.name = reinterpret_cast<decltype(calls.name)>(::dlsym(library, "heif_" #name)); \
    complete = complete && calls.name;
    OBRAZOR_HEIF_CALLS(OBRAZOR_HEIF_BIND)
#undef OBRAZOR_HEIF_BIND
    return complete ? calls : formats::HeifCalls{};
}

}  // namespace

const formats::HeifCalls& formats::Heif() {
    static std::once_flag once;
    static HeifCalls calls;
    std::call_once(once, [] { calls = Load(); });
    if (!calls.context_alloc) throw EInvalidGraphic(msg::SInvalidHeif);
    return calls;
}
