// The drive selector: its entries from the mount table, and how choosing a drive moves the
// directory list.

#include <memory>

#include "filectrl/DirectoryList.h"
#include "filectrl/DriveList.h"
#include "filectrl/FileList.h"
#include "graphics/Exceptions.h"
#include "support/FileTree.h"

namespace {

std::vector<std::string> Texts(const EntryList& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i) texts.push_back(list.Entry(i).text);
    return texts;
}

class DriveListTest : public FileTree {
protected:
    // A desktop: a labelled root, a CD, a USB stick, an NFS share, and the usual pseudo mounts.
    void UseDesktop() {
        MakeFile("dev/sda2");
        MakeDir("by-label");
        std::filesystem::create_symlink("../dev/sda2", Path("by-label/System"));
        platform::SetLabelFolder(Path("by-label"));
        UseMountTable("proc /proc proc rw 0 0\n" + Path("dev/sda2") +
                      " / ext4 rw 0 0\n"
                      "tmpfs /run tmpfs rw 0 0\n"
                      "/dev/sdb1 /media/jana/USB\\040STICK vfat rw 0 0\n"
                      "server:/Export/Foto /mnt/nas nfs rw 0 0\n"
                      "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
                      "sysfs /sys sysfs rw 0 0\n");
    }
    // Two folders of the tree served as network volumes, so tests can enter them.
    void UseTwoVolumes() {
        MakeDir("a/photos");
        MakeDir("b");
        UseMountTable("/dev/sda2 / ext4 rw 0 0\nnas:/a " + Path("a") + " nfs rw 0 0\nnas:/b " + Path("b") +
                      " nfs rw 0 0\nnas:/c " + Path("c") + " nfs rw 0 0\n");
    }
};

TEST_F(DriveListTest, EntriesFromTheMountTable) {
    UseDesktop();
    DriveList drives;
    drives.CreateWindow();
    EXPECT_EQ(Texts(drives), (std::vector<std::string>{"/ [system]", "/media/cdrom []", "/media/jana/USB STICK",
                                                       "/mnt/nas server:/export/foto"}));
    EXPECT_EQ(drives.Entry(0).glyph, TGlyphKind::Hard);
    EXPECT_EQ(drives.Entry(1).glyph, TGlyphKind::CDRom);
    EXPECT_EQ(drives.Entry(2).glyph, TGlyphKind::Floppy);
    EXPECT_EQ(drives.Entry(3).glyph, TGlyphKind::Network);
}

TEST_F(DriveListTest, UpperCaseTexts) {
    UseDesktop();
    DriveList drives;
    drives.CreateWindow();
    drives.SetTextCase(TTextCase::tcUpperCase);
    EXPECT_EQ(drives.Entry(0).text, "/ [SYSTEM]");
    EXPECT_EQ(drives.Entry(3).text, "/mnt/nas SERVER:/EXPORT/FOTO");
    EXPECT_EQ(drives.Entry(2).text, "/media/jana/USB STICK");  // mount paths keep their case
}

TEST_F(DriveListTest, StartsOnTheCurrentDirectorysVolume) {
    UseTwoVolumes();
    ASSERT_TRUE(platform::SetCurrentDirectory(Path("a/photos")));
    DriveList drives;
    EXPECT_EQ(drives.Drive(), Path("a"));
    int changes = 0;
    drives.OnChange = [&](TObject*) { ++changes; };
    drives.CreateWindow();
    EXPECT_EQ(drives.ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(DriveListTest, ChoosingADriveMovesTheDirectoryList) {
    UseTwoVolumes();
    ASSERT_TRUE(platform::SetCurrentDirectory(Path()));
    DirectoryList folders;
    DriveList drives;
    drives.SetDirList(&folders);
    folders.CreateWindow();
    drives.CreateWindow();
    EXPECT_EQ(drives.Drive(), "/");
    EXPECT_EQ(folders.Directory(), Path());  // the same drive leaves the list alone

    drives.Choose(1);
    EXPECT_EQ(folders.Directory(), Path("a"));  // at first the mount point
    folders.SetDirectory(Path("a/photos"));
    EXPECT_EQ(drives.Drive(), Path("a"));

    folders.SetDirectory(Path("b"));  // another volume: the selector follows
    EXPECT_EQ(drives.Drive(), Path("b"));
    EXPECT_EQ(drives.ItemIndex(), 2);
    EXPECT_EQ(folders.Directory(), Path("b"));

    drives.Choose(1);  // back to the folder last visited there
    EXPECT_EQ(folders.Directory(), Path("a/photos"));
    EXPECT_EQ(std::filesystem::current_path().string(), Path("a/photos"));
}

TEST_F(DriveListTest, SameDriveAgainDoesNothing) {
    UseTwoVolumes();
    ASSERT_TRUE(platform::SetCurrentDirectory(Path()));
    DriveList drives;
    drives.CreateWindow();
    int changes = 0;
    drives.OnChange = [&](TObject*) { ++changes; };
    drives.SetDrive("/");
    EXPECT_EQ(changes, 0);
}

TEST_F(DriveListTest, UnmountedDriveFailsAndKeepsTheFormerDrive) {
    UseTwoVolumes();  // "c" is in the table but not on disk
    ASSERT_TRUE(platform::SetCurrentDirectory(Path("b")));
    DirectoryList folders;
    DriveList drives;
    drives.SetDirList(&folders);
    folders.CreateWindow();
    drives.CreateWindow();
    for (int attempt = 0; attempt < 2; ++attempt) {  // a second try tries again
        try {
            drives.Choose(3);
            FAIL() << "no failure";
        } catch (const EInOutError& error) {
            EXPECT_EQ(error.Message(), "File not found");
        }
        EXPECT_EQ(drives.Drive(), Path("b"));
        EXPECT_EQ(drives.ItemIndex(), 2);
        EXPECT_EQ(folders.Directory(), Path("b"));
    }
}

// Whichever step of the chain fails, the selector shows the drive the lists are on: the former
// one when the new drive's folder cannot be entered, the new one when it can be entered but not
// listed (choosing it again would otherwise do nothing).
struct DriveFailure {
    mode_t mode;        // of the new drive's mount point
    const char* shown;  // the volume the selector and both lists end on
};

class DriveFailureTest : public DriveListTest, public testing::WithParamInterface<DriveFailure> {};

TEST_P(DriveFailureTest, SelectorShowsTheListsDriveWhenAFolderIsForbiddenOrUnreadable) {
    if (!PermissionsApply()) GTEST_SKIP() << "this user is not held by permissions";
    UseTwoVolumes();
    ASSERT_TRUE(platform::SetCurrentDirectory(Path("b")));
    DirectoryList folders;
    FileList files;
    DriveList drives;
    drives.SetDirList(&folders);
    folders.SetFileList(&files);
    folders.CreateWindow();
    drives.CreateWindow();
    files.CreateWindow();
    ::chmod(Path("a").c_str(), GetParam().mode);
    EXPECT_THROW(drives.Choose(1), EInOutError);
    const std::string shown = Path(GetParam().shown);
    EXPECT_EQ(folders.Directory(), shown);
    EXPECT_EQ(files.Directory(), shown);
    EXPECT_EQ(drives.Drive(), shown);
    EXPECT_EQ(drives.Entry(drives.ItemIndex()).text.substr(0, shown.size()), shown);
}

INSTANTIATE_TEST_SUITE_P(Orders, DriveFailureTest,
                         testing::Values(DriveFailure{0, "b"},       // cannot be entered
                                         DriveFailure{0111, "a"}));  // entered, not listed

TEST_F(DriveListTest, MediaMountedLaterAppear) {
    MakeDir("usb/photos");
    UseMountTable("/dev/sda2 / ext4 rw 0 0\n");
    ASSERT_TRUE(platform::SetCurrentDirectory(Path()));
    DirectoryList folders;
    DriveList drives;
    drives.SetDirList(&folders);
    folders.CreateWindow();
    drives.CreateWindow();
    ASSERT_EQ(drives.Count(), 1);
    UseMountTable("/dev/sda2 / ext4 rw 0 0\nnas:/usb " + Path("usb") + " nfs rw 0 0\n");
    drives.Refresh();  // the user opens the list
    ASSERT_EQ(drives.Count(), 2);
    EXPECT_EQ(drives.ItemIndex(), 0);  // still on the root
    UseMountTable("/dev/sda2 / ext4 rw 0 0\n");
    drives.Refresh();
    UseMountTable("/dev/sda2 / ext4 rw 0 0\nnas:/usb " + Path("usb") + " nfs rw 0 0\n");
    folders.SetDirectory(Path("usb/photos"));  // a volume the list has not seen yet
    EXPECT_EQ(drives.Count(), 2);
    EXPECT_EQ(drives.Drive(), Path("usb"));
    EXPECT_EQ(drives.ItemIndex(), 1);
}

TEST_F(DriveListTest, DirListLinkIsClearedWhenEitherGoes) {
    DriveList drives;
    {
        DirectoryList folders;
        drives.SetDirList(&folders);
        EXPECT_EQ(folders.DriveSelector(), &drives);
    }
    EXPECT_EQ(drives.DirList(), nullptr);
    auto folders = std::make_unique<DirectoryList>();
    {
        DriveList other;
        other.SetDirList(folders.get());
        drives.SetDirList(folders.get());  // taking the list over unlinks the other selector
        EXPECT_EQ(other.DirList(), nullptr);
    }
    EXPECT_EQ(folders->DriveSelector(), &drives);
}

}  // namespace
