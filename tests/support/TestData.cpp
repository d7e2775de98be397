#include "support/TestData.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
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

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace testdata
