#pragma once
// Where the conformance files are: the folder named by OBRAZOR_TESTDATA, when it exists.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testdata {
// The conformance folder, or nothing when OBRAZOR_TESTDATA is unset or names no folder.
std::optional<std::filesystem::path> Root();
// A fresh, empty temporary folder for one test; removed by the caller's TempDir.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};
// A whole file's bytes (empty when it cannot be read), and bytes written as a whole file.
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace testdata

// Skips the current test when the conformance folder is absent.
#define REQUIRE_TESTDATA(var)                                                         \
    const auto var##_opt = testdata::Root();                                          \
    if (!var##_opt) GTEST_SKIP() << "OBRAZOR_TESTDATA not set: no conformance files"; \
    const std::filesystem::path var = *var##_opt
