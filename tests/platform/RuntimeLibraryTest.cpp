// Functions of a library opened when first needed: all of them, or none.

#include "platform/RuntimeLibrary.h"

#include <gtest/gtest.h>

#include <math.h>

#include <cmath>

// Declared only so that its type is known; no library defines it.
extern "C" int obrazor_function_no_library_has(int);

namespace {

#define PRESENT_CALLS(X) X(nan)
#define PARTIAL_CALLS(X) X(nan) X(obrazor_function_no_library_has)

struct PresentCalls {
    PRESENT_CALLS(OBRAZOR_RUNTIME_SLOT)
};
struct PartialCalls {
    PARTIAL_CALLS(OBRAZOR_RUNTIME_SLOT)
};
struct AbsentCalls {
    PRESENT_CALLS(OBRAZOR_RUNTIME_SLOT)
};

TEST(RuntimeLibrary, GivesEveryFunctionOrNone) {
    const PresentCalls* present = platform::RuntimeCalls<PresentCalls>(
        "libm.so.6", [](void* library, PresentCalls& calls, bool& complete) { PRESENT_CALLS(OBRAZOR_RUNTIME_BIND) });
    ASSERT_NE(present, nullptr);
    EXPECT_TRUE(std::isnan(present->nan("")));
    // Asked again, from the first load.
    EXPECT_EQ(platform::RuntimeCalls<PresentCalls>("libm.so.6", [](void*, PresentCalls&, bool&) { FAIL(); }), present);

    EXPECT_EQ(
        platform::RuntimeCalls<PartialCalls>("libm.so.6", [](void* library, PartialCalls& calls,
                                                             bool& complete) { PARTIAL_CALLS(OBRAZOR_RUNTIME_BIND) }),
        nullptr);
    EXPECT_EQ(platform::RuntimeCalls<AbsentCalls>(
                  "libobrazor-no-such-library.so.0",
                  [](void* library, AbsentCalls& calls, bool& complete) { PRESENT_CALLS(OBRAZOR_RUNTIME_BIND) }),
              nullptr);
}

}  // namespace
