#include "app/conversion/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/Exceptions.h"
#include "support/TestData.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const std::string& text) {
    WriteFileAtomically(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::size_t EntriesIn(const std::filesystem::path& folder) {
    return std::size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFile, CreatesANewFile) {
    testdata::TempDir dir;
    Write(dir.File("out.jpg"), "abc");
    EXPECT_EQ(Read(dir.File("out.jpg")), "abc");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);  // no temporary file left behind
}

TEST(AtomicFile, ReplacesAnExistingFileWhole) {
    testdata::TempDir dir;
    std::ofstream(dir.File("out.jpg")) << "a much longer previous content";
    Write(dir.File("out.jpg"), "new");
    EXPECT_EQ(Read(dir.File("out.jpg")), "new");
}

TEST(AtomicFile, WritesNothingForAnEmptyBuffer) {
    testdata::TempDir dir;
    WriteFileAtomically(dir.File("empty"), nullptr, 0);
    EXPECT_EQ(std::filesystem::file_size(dir.File("empty")), 0u);
}

TEST(AtomicFile, FailureLeavesTheTargetAndNoTemporaryFile) {
    testdata::TempDir dir;
    std::filesystem::create_directory(dir.File("out.jpg"));
    std::ofstream(dir.File("out.jpg") + "/inside") << "kept";
    try {
        Write(dir.File("out.jpg"), "abc");
        FAIL() << "no failure";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot create file \"" + dir.File("out.jpg") + "\". ", 0), 0u) << e.Message();
    }
    EXPECT_EQ(Read(dir.File("out.jpg") + "/inside"), "kept");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFile, MissingFolderIsACreateError) {
    testdata::TempDir dir;
    EXPECT_THROW(Write(dir.File("no/such/out.jpg"), "abc"), EFCreateError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("no")));
}

}  // namespace
