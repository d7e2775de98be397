// The directory list: its entries, their glyph offsets and paths, moving between folders, and
// the file list it drives.

#include <sys/stat.h>

#include <algorithm>

#include "filectrl/DirectoryList.h"
#include "filectrl/FileList.h"
#include "graphics/Exceptions.h"
#include "support/FileTree.h"

namespace {

class DirectoryListTest : public FileTree {
protected:
    // The parts of a path between its slashes.
    static std::vector<std::string> Parts(const std::string& path) {
        std::vector<std::string> parts;
        std::size_t start = 1;
        while (start < path.size()) {
            const std::size_t end = std::min(path.find('/', start), path.size());
            parts.push_back(path.substr(start, end - start));
            start = end + 1;
        }
        return parts;
    }
    void OpenAt(const std::string& folder) {
        ASSERT_TRUE(platform::SetCurrentDirectory(folder));
        list_.emplace();
        list_->OnChange = [this](TObject*) { ++changes_; };
        list_->CreateWindow();
    }

    std::optional<DirectoryList> list_;
    int changes_ = 0;
};

TEST_F(DirectoryListTest, EntriesAreThePathThenSortedSubfolders) {
    const std::string auto_ = MakeDir("Foto/Auto");
    MakeDir("Foto/Auto/zeta");
    MakeDir("Foto/Auto/Beta");
    MakeDir("Foto/Auto/alfa");
    MakeDir("Foto/Auto/.skryta");
    MakeFile("Foto/Auto/soubor.jpg");
    OpenAt(auto_);
    const std::vector<std::string> parts = Parts(auto_);
    const int current = int(parts.size());
    ASSERT_EQ(list_->Count(), current + 1 + 3);
    EXPECT_EQ(list_->Entry(0).text, "/");
    EXPECT_EQ(list_->Entry(0).glyph, TGlyphKind::OpenFolder);
    for (int i = 1; i < current; ++i) {
        EXPECT_EQ(list_->Entry(i).text, parts[std::size_t(i - 1)]);
        EXPECT_EQ(list_->Entry(i).glyph, TGlyphKind::OpenFolder);
    }
    EXPECT_EQ(list_->Entry(current).text, "Auto");
    EXPECT_EQ(list_->Entry(current).glyph, TGlyphKind::CurrentFolder);
    EXPECT_EQ(list_->ItemIndex(), current);
    EXPECT_EQ(list_->Entry(current + 1).text, "alfa");
    EXPECT_EQ(list_->Entry(current + 2).text, "Beta");
    EXPECT_EQ(list_->Entry(current + 3).text, "zeta");
    EXPECT_EQ(list_->Entry(current + 3).glyph, TGlyphKind::ClosedFolder);
}

TEST_F(DirectoryListTest, GlyphOffsetsStepByFourPerLevel) {
    const std::string folder = MakeDir("Foto/Auto/sub");
    OpenAt(Path("Foto/Auto"));
    const int current = int(Parts(Path("Foto/Auto")).size());
    for (int i = 0; i <= current; ++i) EXPECT_EQ(list_->GlyphLeft(i), i * 4 + 2) << i;
    // Subfolders one level deeper than the current folder.
    EXPECT_EQ(list_->GlyphLeft(current + 1), (current + 1) * 4 + 2);
}

TEST_F(DirectoryListTest, RootIsItsOwnCurrentEntry) {
    OpenAt("/");
    EXPECT_EQ(list_->Entry(0).text, "/");
    EXPECT_EQ(list_->Entry(0).glyph, TGlyphKind::CurrentFolder);
    EXPECT_EQ(list_->ItemIndex(), 0);
    EXPECT_EQ(list_->GlyphLeft(0), 2);
    ASSERT_GT(list_->Count(), 1);
    EXPECT_EQ(list_->GlyphLeft(1), 10);
    EXPECT_EQ(list_->PathOf(1), "/" + list_->Entry(1).text);
}

TEST_F(DirectoryListTest, PathOfEachEntry) {
    const std::string auto_ = MakeDir("Foto/Auto/sub");
    OpenAt(Path("Foto/Auto"));
    const std::vector<std::string> parts = Parts(Path("Foto/Auto"));
    const int current = int(parts.size());
    EXPECT_EQ(list_->PathOf(0), "/");
    std::string expected;
    for (int i = 1; i < current; ++i) {
        expected += "/" + parts[std::size_t(i - 1)];
        EXPECT_EQ(list_->PathOf(i), expected) << i;
    }
    EXPECT_EQ(list_->PathOf(current), Path("Foto/Auto"));
    EXPECT_EQ(list_->PathOf(current + 1), Path("Foto/Auto/sub"));
}

TEST_F(DirectoryListTest, OpeningAnEntryAboveMakesItCurrent) {
    MakeFile("Foto/nahore.jpg");
    MakeDir("Foto/Auto");
    OpenAt(Path("Foto/Auto"));
    FileList files;
    files.CreateWindow();
    list_->SetFileList(&files);
    int reports = 0;
    files.OnChange = [&](TObject*) { ++reports; };
    const int foto = int(Parts(Path("Foto")).size());
    list_->Select(foto);
    EXPECT_EQ(list_->Directory(), Path("Foto/Auto"));  // a single click only selects
    list_->OpenSelected();
    EXPECT_EQ(list_->Directory(), Path("Foto"));
    EXPECT_EQ(list_->ItemIndex(), foto);
    EXPECT_EQ(list_->Entry(foto).glyph, TGlyphKind::CurrentFolder);
    EXPECT_EQ(files.Directory(), Path("Foto"));
    ASSERT_EQ(files.Count(), 1);
    EXPECT_EQ(files.Entry(0).text, "nahore.jpg");
    EXPECT_EQ(files.ItemIndex(), -1);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(changes_, 1);
}

TEST_F(DirectoryListTest, OpeningASubfolder) {
    MakeDir("a/b");
    OpenAt(Path("a"));
    list_->Select(list_->Count() - 1);
    list_->OpenSelected();
    EXPECT_EQ(list_->Directory(), Path("a/b"));
    EXPECT_EQ(std::filesystem::current_path().string(), Path("a/b"));
}

TEST_F(DirectoryListTest, RelativeAndBracketedNames) {
    MakeDir("a/b c");
    MakeDir("a/d");
    OpenAt(Path("a"));
    list_->SetDirectory("b c");
    EXPECT_EQ(list_->Directory(), Path("a/b c"));
    list_->SetDirectory("../d");
    EXPECT_EQ(list_->Directory(), Path("a/d"));
    list_->SetDirectory("[..]");
    EXPECT_EQ(list_->Directory(), Path("a"));
}

TEST_F(DirectoryListTest, SameDirectoryDoesNothing) {
    OpenAt(Path());
    list_->SetDirectory(Path());
    list_->SetDirectory("");
    EXPECT_EQ(changes_, 0);
}

TEST_F(DirectoryListTest, MissingFolderRaisesAndKeepsTheList) {
    OpenAt(Path());
    const int count = list_->Count();
    try {
        list_->SetDirectory(Path("missing/deeper"));
        FAIL() << "no failure";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), "File not found");
    }
    EXPECT_EQ(list_->Directory(), Path());
    EXPECT_EQ(list_->Count(), count);
    EXPECT_EQ(std::filesystem::current_path().string(), Path());
    EXPECT_EQ(changes_, 0);
}

TEST_F(DirectoryListTest, ForbiddenFolderRaisesAccessDenied) {
    if (!PermissionsApply()) GTEST_SKIP() << "this user is not held by permissions";
    const std::string forbidden = MakeDir("zakazano");
    ::chmod(forbidden.c_str(), 0);
    OpenAt(Path());
    try {
        list_->SetDirectory(forbidden);
        FAIL() << "no failure";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), "File access denied");
    }
}

TEST_F(DirectoryListTest, UnreadableFolderShowsItsPathWithoutSubfolders) {
    if (!PermissionsApply()) GTEST_SKIP() << "this user is not held by permissions";
    const std::string blind = MakeDir("slepa/sub");
    ::chmod(Path("slepa").c_str(), 0111);
    OpenAt(Path());
    list_->SetDirectory(Path("slepa"));
    EXPECT_EQ(list_->Directory(), Path("slepa"));
    EXPECT_EQ(list_->Entry(list_->Count() - 1).glyph, TGlyphKind::CurrentFolder);
}

TEST_F(DirectoryListTest, VanishedCurrentFolderCanBeLeft) {
    const std::string gone = MakeDir("mizi");
    OpenAt(gone);
    std::filesystem::remove(gone);
    list_->Select(list_->ItemIndex() - 1);
    list_->OpenSelected();
    EXPECT_EQ(list_->Directory(), Path());
}

TEST_F(DirectoryListTest, CaseBlindVolumeComparesWithoutCase) {
    const std::string share = MakeDir("Share");
    UseMountTable("/dev/sda2 / ext4 rw 0 0\n//server/share " + share + " cifs rw 0 0\n");
    OpenAt(share);
    EXPECT_FALSE(list_->CaseSensitive());
    EXPECT_TRUE(list_->PreservesCase());
    std::string upper = share;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    list_->SetDirectory(upper);  // the same folder for this volume: nothing happens
    EXPECT_EQ(changes_, 0);
    EXPECT_EQ(list_->DisplayText(list_->ItemIndex()), "Share");  // shown as stored
}

TEST_F(DirectoryListTest, FileListLinkIsClearedWhenEitherGoes) {
    OpenAt(Path());
    {
        FileList files;
        list_->SetFileList(&files);
        EXPECT_EQ(list_->GetFileList(), &files);
    }
    EXPECT_EQ(list_->GetFileList(), nullptr);
    MakeDir("x");
    list_->SetDirectory(Path("x"));  // no dangling file list to tell
    EXPECT_EQ(list_->Directory(), Path("x"));
}

}  // namespace
