// The file-system service: masks, error codes, the current directory and folder enumeration.

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "graphics/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/Gdi.h"
#include "support/FileTree.h"

namespace {

struct MaskCase {
    const char* name;
    const char* pattern;
    bool matches;
};

class MaskTest : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskTest, Matches) {
    const MaskCase& c = GetParam();
    EXPECT_EQ(platform::MatchesMask(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(Masks, MaskTest,
                         testing::Values(MaskCase{"a.jpg", "*.jpg", true},
                                         MaskCase{"B.JPG", "*.jpg", true},  // letter case does not count
                                         MaskCase{"c.jpeg", "*.jpg", false}, MaskCase{"x.jpg.bak", "*.jpg", false},
                                         MaskCase{"x.jpg.jpg", "*.jpg", true},  // the star backs up
                                         MaskCase{"README", "*.*", true},       // no dot still matches *.*
                                         MaskCase{"a.b.c", "*.*", true}, MaskCase{"a", "a.*", true},
                                         MaskCase{"ab", "a.*", false}, MaskCase{"abc", "a?c", true},
                                         MaskCase{"ac", "a?c", false},
                                         MaskCase{"foto 1.jpg", "*.jpg", true},        // spaces are ordinary
                                         MaskCase{"\xc5\xa0koda.JPG", "*.jpg", true},  // "Škoda.JPG"
                                         MaskCase{"anything", "", false}, MaskCase{"", "*", true},
                                         MaskCase{"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false}));

TEST(MaskTest, LongHostilePatternEndsQuickly) {
    // Without the return-to-last-star rule this is exponential.
    const std::string name(4000, 'a');
    const std::string pattern = std::string(200, '*') + "a*b";
    EXPECT_FALSE(platform::MatchesMask(name, pattern));
}

struct ErrnoCase {
    int error;
    std::uint32_t code;
    const char* text;  // of the runtime failure the code raises
};

class ErrnoTest : public testing::TestWithParam<ErrnoCase> {};

// Only the four codes with texts of their own may come out as 2..5; every other errno keeps
// its own number apart from them and names the system's reason.
TEST_P(ErrnoTest, MapsToRuntimeCodeAndText) {
    const ErrnoCase& c = GetParam();
    EXPECT_EQ(platform::ErrorCodeFromErrno(c.error), c.code) << c.error;
    const std::string reason = c.code > 1000 ? std::string(" (") + std::strerror(c.error) + ")" : "";
    EXPECT_EQ(EInOutError(int(c.code)).Message(), c.text + reason) << c.error;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ErrnoTest,
    testing::Values(ErrnoCase{ENOENT, 2, "File not found"}, ErrnoCase{ENOTDIR, 3, "Invalid filename"},
                    ErrnoCase{EINVAL, 3, "Invalid filename"}, ErrnoCase{ENAMETOOLONG, 3, "Invalid filename"},
                    ErrnoCase{ELOOP, 3, "Invalid filename"}, ErrnoCase{EMFILE, 4, "Too many open files"},
                    ErrnoCase{ENFILE, 4, "Too many open files"}, ErrnoCase{EACCES, 5, "File access denied"},
                    ErrnoCase{EPERM, 5, "File access denied"}, ErrnoCase{EIO, 1005, "I/O error 1005"},
                    ErrnoCase{EINTR, 1004, "I/O error 1004"}, ErrnoCase{ESRCH, 1003, "I/O error 1003"},
                    ErrnoCase{ENOMEDIUM, 1000 + ENOMEDIUM, "I/O error 1123"}));

using CurrentDirectoryTest = FileTree;

TEST_F(CurrentDirectoryTest, SetAndGet) {
    const std::string folder = MakeDir("a b/č");
    ASSERT_TRUE(platform::SetCurrentDirectory(folder));
    EXPECT_EQ(platform::GetCurrentDirectory(), folder);
}

TEST_F(CurrentDirectoryTest, MissingFolderSetsFileNotFound) {
    EXPECT_FALSE(platform::SetCurrentDirectory(Path("missing")));
    EXPECT_EQ(platform::GetLastError(), platform::ERROR_FILE_NOT_FOUND);
}

TEST_F(CurrentDirectoryTest, FileInsteadOfFolderIsInvalidName) {
    MakeFile("plain");
    EXPECT_FALSE(platform::SetCurrentDirectory(Path("plain/inner")));
    EXPECT_EQ(platform::GetLastError(), platform::ERROR_INVALID_NAME);
}

TEST_F(CurrentDirectoryTest, EmbeddedNulIsRefused) {
    EXPECT_FALSE(platform::SetCurrentDirectory(std::string("/tmp\0/x", 7)));
    EXPECT_EQ(platform::GetLastError(), platform::ERROR_INVALID_NAME);
}

TEST_F(CurrentDirectoryTest, RemovedCurrentFolderGivesEmptyPath) {
    const std::string folder = MakeDir("gone");
    ASSERT_TRUE(platform::SetCurrentDirectory(folder));
    std::filesystem::remove(folder);
    EXPECT_EQ(platform::GetCurrentDirectory(), "");
}

TEST_F(CurrentDirectoryTest, Existence) {
    MakeFile("f");
    MakeDir("d");
    std::filesystem::create_symlink(Path("nowhere"), Path("dangling"));
    EXPECT_TRUE(platform::FileExists(Path("f")));
    EXPECT_FALSE(platform::FileExists(Path("d")));
    EXPECT_TRUE(platform::FileExists(Path("dangling")));
    EXPECT_FALSE(platform::FileExists(Path("missing")));
    EXPECT_TRUE(platform::DirectoryExists(Path("d")));
    EXPECT_FALSE(platform::DirectoryExists(Path("f")));
}

using FindFilesTest = FileTree;

std::map<std::string, std::uint32_t> Listing(const std::string& folder, const char* pattern) {
    std::map<std::string, std::uint32_t> found;
    EXPECT_TRUE(
        platform::FindFiles(folder, pattern, [&](const platform::FindData& d) { found[d.name] = d.attributes; }));
    return found;
}

TEST_F(FindFilesTest, AttributesOfEachKind) {
    MakeFile("plain.jpg");
    MakeFile(".hidden.jpg");
    MakeDir("folder");
    MakeDir(".hiddenfolder");
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);
    std::filesystem::create_symlink(Path("folder"), Path("link"));
    const auto found = Listing(Path(), "*");
    using namespace platform;
    EXPECT_EQ(found.at("plain.jpg"), 0u);
    EXPECT_EQ(found.at(".hidden.jpg"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(found.at("folder"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(found.at(".hiddenfolder"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(found.at("pipe"), FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(found.at("link"), FILE_ATTRIBUTE_DIRECTORY);  // links are followed
    // "." and ".." are folders, not hidden names.
    EXPECT_EQ(found.at("."), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(found.at(".."), FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(FindFilesTest, ReadOnlyIsWhatTheUserCannotWrite) {
    const std::string file = MakeFile("locked.jpg");
    ::chmod(file.c_str(), 0444);
    if (::access(file.c_str(), W_OK) == 0) GTEST_SKIP() << "this user writes any file";
    EXPECT_EQ(Listing(Path(), "*.jpg").at("locked.jpg"), platform::FILE_ATTRIBUTE_READONLY);
}

TEST_F(FindFilesTest, PatternSelectsNames) {
    MakeFile("a.jpg");
    MakeFile("b.gif");
    const auto found = Listing(Path(), "*.jpg");
    EXPECT_EQ(found.size(), 1u);
    EXPECT_TRUE(found.contains("a.jpg"));
}

TEST_F(FindFilesTest, MissingFolderFails) {
    EXPECT_FALSE(platform::FindFiles(Path("missing"), "*", [](const platform::FindData&) {}));
    EXPECT_EQ(platform::GetLastError(), platform::ERROR_FILE_NOT_FOUND);
}

TEST(JoinPathTest, OneSlashBetween) {
    EXPECT_EQ(platform::JoinPath("/", "a.jpg"), "/a.jpg");
    EXPECT_EQ(platform::JoinPath("/foto", "a.jpg"), "/foto/a.jpg");
    EXPECT_EQ(platform::JoinPath("/foto/", "a.jpg"), "/foto/a.jpg");
}

}  // namespace
