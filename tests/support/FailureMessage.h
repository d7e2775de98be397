#pragma once
// The message of the failure an action raises, for tests that compare failure texts.

#include <string>

namespace testsupport {
// The message of the E that `action` raises; "(no failure)" when it raises none.
template <class E, class F>
std::string FailureMessage(F&& action) {
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no failure)";
}
}  // namespace testsupport
