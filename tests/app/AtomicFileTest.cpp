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

const std::uint8_t* BytesOf(const std::string& text) { return reinterpret_cast<const std::uint8_t*>(text.data()); }

// Two writers of one target without replacing, finishing in either order: the first to finish
// wins, the other raises EOutputExists and leaves nothing behind.
TEST(AtomicFile, KeepExistingLetsTheFirstToFinishWin) {
    for (const bool firstFinishesFirst : {true, false}) {
        testdata::TempDir dir;
        const std::string target = dir.File("a.LMV.jpg");
        TAtomicFile first(target), second(target);
        first.Write(BytesOf("first"), 5);
        second.Write(BytesOf("second"), 6);
        TAtomicFile& winner = firstFinishesFirst ? first : second;
        TAtomicFile& loser = firstFinishesFirst ? second : first;
        winner.Publish(TPublish::KeepExisting);
        EXPECT_THROW(loser.Publish(TPublish::KeepExisting), EOutputExists);
        EXPECT_EQ(Read(target), firstFinishesFirst ? "first" : "second");
        EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    }
}

// The longest legal name works: the temporary name does not grow with it.
TEST(AtomicFile, LongestTargetNameWorks) {
    testdata::TempDir dir;
    const std::string target = dir.File(std::string(247, 'n') + ".LMV.jpg");
    Write(target, "abc");
    EXPECT_EQ(Read(target), "abc");
}

TEST(AtomicFile, ReplacedFileKeepsItsPermissionBits) {
    testdata::TempDir dir;
    const std::string target = dir.File("out.jpg");
    std::ofstream(target) << "old";
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    Write(target, "new");
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
}

// A writer killed before publishing leaves its temporary file; the next writer removes it.
TEST(AtomicFile, LeftoverOfAKilledWriterIsRemoved) {
    testdata::TempDir dir;
    const std::string target = dir.File("out.jpg");
    std::ofstream(TAtomicFile::TemporaryName(target, 0)) << "half a file";
    Write(target, "abc");
    EXPECT_EQ(Read(target), "abc");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFile, MissingFolderIsACreateError) {
    testdata::TempDir dir;
    EXPECT_THROW(Write(dir.File("no/such/out.jpg"), "abc"), EFCreateError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("no")));
}

}  // namespace
