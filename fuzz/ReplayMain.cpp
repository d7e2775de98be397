// Runs a fuzz target over saved inputs without libFuzzer: every file named, and every file of
// every folder named, is fed once to LLVMFuzzerTestOneInput. A crash, a sanitizer report or an
// escaping exception fails the run; an empty or missing folder fails too, so a corpus that
// went missing is noticed.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Defined by the targets that need a one-time set-up (an application object, for instance).
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const fs::path& named) {
    if (!fs::is_directory(named)) return {named};
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(named))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // A copy of exactly the file's size, so that reading past the end is seen by the sanitizers.
    std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    for (int i = 1; i < argc; ++i) {
        const auto files = InputsOf(argv[i]);
        if (files.empty() || !fs::exists(files.front())) {
            std::fprintf(stderr, "no inputs in %s\n", argv[i]);
            return 1;
        }
        for (const auto& file : files) Replay(file);
        std::printf("%zu inputs of %s replayed\n", files.size(), argv[i]);
    }
    return argc > 1 ? 0 : 2;
}
