#include "formats/HeifRuntime.h"

#include "formats/FormatMessages.h"
#include "graphics/Exceptions.h"
#include "platform/RuntimeLibrary.h"

// The slots are named without the library's "heif_" prefix, so they are bound here with it.
const formats::HeifCalls& formats::Heif() {
    const HeifCalls* calls =
        platform::RuntimeCalls<HeifCalls>(OBRAZOR_HEIF_LIBRARY, [](void* library, HeifCalls& slots, bool& complete) {
#define OBRAZOR_HEIF_BIND(name)                                                                             \
    slots.name = reinterpret_cast<decltype(slots.name)>(::platform::RuntimeSymbol(library, "heif_" #name)); \
    complete = complete && slots.name != nullptr;
            OBRAZOR_HEIF_CALLS(OBRAZOR_HEIF_BIND)
#undef OBRAZOR_HEIF_BIND
        });
    if (!calls) throw EInvalidGraphic(msg::SInvalidHeif);
    return *calls;
}
