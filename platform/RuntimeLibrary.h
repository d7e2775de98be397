#pragma once
// Libraries opened by their run-time name when first needed instead of linked, so that a run
// that needs none of their pictures spends nothing on loading and relocating them. A user lists
// the functions it calls once, as X(function) entries, and keeps them in a struct of pointers of
// the functions' own types:
//     #define LIB_CALLS(X) X(lib_open) X(lib_close)
//     struct LibCalls { LIB_CALLS(OBRAZOR_RUNTIME_SLOT) };
//     const LibCalls* calls = platform::RuntimeCalls<LibCalls>("libx.so.1",
//         [](void* library, LibCalls& calls, bool& complete) { LIB_CALLS(OBRAZOR_RUNTIME_BIND) });

#include <mutex>

#define OBRAZOR_RUNTIME_SLOT(name) decltype(&::name) name = nullptr;
#define OBRAZOR_RUNTIME_BIND(name)                                                                  \
    calls.name = reinterpret_cast<decltype(calls.name)>(::platform::RuntimeSymbol(library, #name)); \
    complete = complete && calls.name != nullptr;

namespace platform {

// The library, opened once and kept for the rest of the process; null when it cannot be had.
void* OpenRuntimeLibrary(const char* soname);
void* RuntimeSymbol(void* library, const char* name);

// The library's functions, loaded on the first call (from any thread): all of them, or null when
// the library or one of its functions is missing.
template <class Calls>
const Calls* RuntimeCalls(const char* soname, void (*bind)(void* library, Calls& calls, bool& complete)) {
    static std::once_flag once;
    static Calls calls;
    static bool loaded = false;
    std::call_once(once, [soname, bind] {
        void* library = OpenRuntimeLibrary(soname);
        if (!library) return;
        bool complete = true;
        bind(library, calls, complete);
        loaded = complete;
    });
    return loaded ? &calls : nullptr;
}

}  // namespace platform
