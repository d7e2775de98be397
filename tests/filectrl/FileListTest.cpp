// The file list: which entries it reads, in what order, what it reports, and how it fails.

#include <fcntl.h>
#include <sys/stat.h>

#include "filectrl/FileList.h"
#include "graphics/Exceptions.h"
#include "support/FileTree.h"

namespace {

std::vector<std::string> Texts(const FileList& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i) texts.push_back(list.Entry(i).text);
    return texts;
}

class FileListTest : public FileTree {
protected:
    // A file list with its window, reading the tree's root with `mask`; counts its reports.
    FileList& Open(const std::string& mask = "*.*", TFileType type = ftNormal) {
        list_.SetDirectory(Path());
        list_.SetMask(mask);
        list_.SetFileType(type);
        list_.OnChange = [this](TObject*) {
            ++reports_;
            reportedIndexes_.push_back(list_.ItemIndex());
        };
        list_.CreateWindow();
        return list_;
    }

    FileList list_;
    int reports_ = 0;
    std::vector<int> reportedIndexes_;
};

TEST_F(FileListTest, JpegMaskListsBothExtensionsInCaseBlindOrder) {
    MakeFile("c.jpeg");
    MakeFile("B.JPG");
    MakeFile("a.jpg");
    MakeFile(".d.jpg");  // hidden
    MakeFile("e.gif");
    Open("*.jpg;*.jpeg", ftReadOnly | ftNormal);
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"a.jpg", "B.JPG", "c.jpeg"}));
}

TEST_F(FileListTest, FileMatchingTwoPartsIsListedTwice) {
    MakeFile("a.jpg");
    Open("*.jpg;a.*");
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"a.jpg", "a.jpg"}));
}

TEST_F(FileListTest, EmptyMaskPartsAddNothing) {
    MakeFile("a.jpg");
    Open(";*.jpg;;");
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"a.jpg"}));
}

TEST_F(FileListTest, AllFilesWithoutFoldersOrSystemFiles) {
    MakeFile("Zeta.txt");
    MakeFile("alfa");
    MakeDir("folder");
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);
    Open("*.*", ftReadOnly | ftNormal);
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"alfa", "Zeta.txt"}));
}

TEST_F(FileListTest, FoldersInBracketsWhenAsked) {
    MakeFile("b.txt");
    MakeDir("Auto");
    MakeDir(".skryte");
    Open("*.*", ftDirectory);
    // Without ftNormal only entries with a wanted attribute are taken: the folders. "[..]"
    // comes before "[.]" because "." sorts before "]".
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"[..]", "[.]", "[Auto]"}));
    EXPECT_EQ(list_.Entry(2).glyph, TGlyphKind::ClosedFolder);
}

TEST_F(FileListTest, HiddenFilesWhenAsked) {
    MakeFile(".skryty.jpg");
    MakeFile("videt.jpg");
    Open("*.jpg", ftHidden);
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{".skryty.jpg"}));
}

TEST_F(FileListTest, ReadOnlyFilesAreListed) {
    const std::string file = MakeFile("zamceny.jpg");
    ::chmod(file.c_str(), 0444);
    Open("*.jpg", ftReadOnly | ftNormal);
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"zamceny.jpg"}));
}

TEST_F(FileListTest, ReadOnlyAloneWantsTheAttribute) {
    const std::string locked = MakeFile("locked.jpg");
    MakeFile("open.jpg");
    ::chmod(locked.c_str(), 0444);
    if (::access(locked.c_str(), W_OK) == 0) GTEST_SKIP() << "this user writes any file";
    Open("*.jpg", ftReadOnly);
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"locked.jpg"}));
}

TEST_F(FileListTest, ProgramGlyphByExtension) {
    MakeFile("setup.EXE");
    MakeFile("run.bat");
    MakeFile("photo.jpg");
    Open();
    EXPECT_EQ(list_.Entry(0).glyph, TGlyphKind::UnknownFile);  // photo.jpg
    EXPECT_EQ(list_.Entry(1).glyph, TGlyphKind::Executable);   // run.bat
    EXPECT_EQ(list_.Entry(2).glyph, TGlyphKind::Executable);   // setup.EXE
}

TEST_F(FileListTest, NothingIsReadBeforeTheWindowExists) {
    MakeFile("a.jpg");
    list_.SetDirectory(Path());
    list_.SetMask("*.jpg");
    EXPECT_EQ(list_.Count(), 0);
}

TEST_F(FileListTest, ReadingReportsOnceWithNothingSelected) {
    MakeFile("a.jpg");
    Open();
    EXPECT_EQ(reports_, 1);
    EXPECT_EQ(reportedIndexes_.back(), -1);
    EXPECT_EQ(list_.ItemIndex(), -1);
}

TEST_F(FileListTest, SelectionReportsOnlyNewIndexes) {
    MakeFile("a.jpg");
    MakeFile("b.jpg");
    Open();
    list_.Select(1);
    list_.Select(1);  // the same entry again: nothing
    list_.Select(0);
    EXPECT_EQ(reportedIndexes_, (std::vector<int>{-1, 1, 0}));
}

TEST_F(FileListTest, MaskChangeRereadsAndReportsWithoutSelection) {
    MakeFile("a.jpg");
    MakeFile("b.gif");
    Open("*.jpg");
    list_.Select(0);
    list_.SetMask("*.gif");
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"b.gif"}));
    EXPECT_EQ(reportedIndexes_, (std::vector<int>{-1, 0, -1}));
    list_.SetMask("*.gif");  // the same mask: no reading
    EXPECT_EQ(reports_, 3);
}

TEST_F(FileListTest, FileNameWithAndWithoutSelection) {
    MakeFile("auto.jpg");
    Open();
    EXPECT_EQ(list_.FileName(), "");
    list_.Select(0);
    EXPECT_EQ(list_.FileName(), Path("auto.jpg"));
}

TEST_F(FileListTest, FileNameInTheRootHasOneSlash) {
    list_.SetDirectory("/");
    list_.SetFileType(ftDirectory | ftNormal);  // the root may hold only folders
    list_.CreateWindow();
    ASSERT_GT(list_.Count(), 0);
    list_.Select(0);
    EXPECT_EQ(list_.FileName(), "/" + list_.Entry(0).text);
}

TEST_F(FileListTest, SetDirectoryEntersTheFolder) {
    MakeFile("sub/x.jpg");
    Open();
    list_.SetDirectory(Path("sub"));
    EXPECT_EQ(list_.Directory(), Path("sub"));
    EXPECT_EQ(std::filesystem::current_path().string(), Path("sub"));
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"x.jpg"}));
}

TEST_F(FileListTest, FoldersDifferingInCaseAreDifferent) {
    MakeFile("Foto/velka.jpg");
    MakeFile("foto/mala.jpg");
    list_.SetDirectory(Path("Foto"));
    list_.CreateWindow();
    list_.SetDirectory(Path("foto"));
    EXPECT_EQ(Texts(list_), (std::vector<std::string>{"mala.jpg"}));
}

TEST_F(FileListTest, NamesAreKeptAsBytes) {
    const std::string name =
        "\xe8"
        "erven\xe1.jpg";  // "červená" in Windows-1250: not UTF-8
    MakeFile(name);
    MakeFile(
        "\xc4\x8d"
        "ern\xc3\xa1.jpg");  // "černá" in UTF-8
    MakeFile("foto s mezerou.jpg");
    Open("*.jpg");
    ASSERT_EQ(list_.Count(), 3);
    // Collated: č between c and d, so before f; the name that is not UTF-8 last.
    EXPECT_EQ(list_.Entry(0).text,
              "\xc4\x8d"
              "ern\xc3\xa1.jpg");
    EXPECT_EQ(list_.Entry(1).text, "foto s mezerou.jpg");
    list_.Select(2);
    EXPECT_EQ(list_.FileName(), Path(name));
    EXPECT_TRUE(std::filesystem::exists(list_.FileName()));
}

TEST_F(FileListTest, BusyCursorFromTheHundredAndFirstEntry) {
    for (int i = 0; i < 100; ++i) MakeFile("f" + std::to_string(i));
    int started = 0, ended = 0;
    list_.OnBusyStart = [&] { ++started; };
    list_.OnBusyEnd = [&] { ++ended; };
    Open();
    EXPECT_EQ(list_.Count(), 100);
    EXPECT_EQ(started, 0);
    MakeFile("f100");
    list_.SetMask("f*");
    EXPECT_EQ(list_.Count(), 101);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(ended, 1);
}

TEST_F(FileListTest, LargeFolderIsReadWhole) {
    constexpr int kFiles = 20000;
    for (int i = 0; i < kFiles; ++i) {
        const int fd = ::open(Path("IMG_" + std::to_string(kFiles - i) + ".jpg").c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    Open("*.jpg");
    ASSERT_EQ(list_.Count(), kFiles);
    for (int i = 1; i < kFiles; ++i) ASSERT_LT(list_.Entry(i - 1).text, list_.Entry(i).text);
}

TEST_F(FileListTest, MissingFolderRaisesFileNotFound) {
    Open();
    try {
        list_.SetDirectory(Path("missing"));
        FAIL() << "no failure";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), "File not found");
        EXPECT_EQ(error.ErrorCode(), 2);
    }
    EXPECT_EQ(list_.Directory(), Path());
}

TEST_F(FileListTest, FileAsFolderRaisesInvalidFilename) {
    MakeFile("plain.jpg");
    Open();
    try {
        list_.SetDirectory(Path("plain.jpg"));
        FAIL() << "no failure";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), "Invalid filename");
    }
}

TEST_F(FileListTest, ForbiddenFolderRaisesAccessDenied) {
    if (!PermissionsApply()) GTEST_SKIP() << "this user is not held by permissions";
    const std::string forbidden = MakeDir("forbidden");
    ::chmod(forbidden.c_str(), 0);
    Open();
    try {
        list_.SetDirectory(forbidden);
        FAIL() << "no failure";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), "File access denied");
    }
}

TEST_F(FileListTest, UnreadableFolderReportsAnEmptyListThenFails) {
    if (!PermissionsApply()) GTEST_SKIP() << "this user is not held by permissions";
    MakeFile("a.jpg");
    const std::string blind = MakeDir("blind");
    MakeFile("blind/b.jpg");
    ::chmod(blind.c_str(), 0111);  // may be entered, not listed
    Open();
    list_.Select(0);
    EXPECT_THROW(list_.SetDirectory(blind), EInOutError);
    EXPECT_EQ(list_.Count(), 0);
    EXPECT_EQ(reportedIndexes_.back(), -1);  // the owner was told nothing is chosen
}

TEST_F(FileListTest, VanishedFolderRaisesOnRereading) {
    const std::string folder = MakeDir("mizi");
    list_.SetDirectory(folder);
    list_.CreateWindow();
    std::filesystem::remove(folder);
    EXPECT_THROW(list_.SetMask("*.jpg"), EInOutError);
}

}  // namespace
