#include "support/TestData.h"

#include <cstdlib>
#include <random>

namespace testdata {

std::optional<std::filesystem::path> Root() {
    const char* value = std::getenv("OBRAZOR_TESTDATA");
    if (!value || !*value) return std::nullopt;
    std::filesystem::path root(value);
    std::error_code error;
    if (!std::filesystem::is_directory(root, error)) return std::nullopt;
    return root;
}

TempDir::TempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("obrazor-test-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(path_, error)) break;
    }
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

}  // namespace testdata
