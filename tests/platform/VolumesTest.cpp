// Volumes from the mount table: which mounts are drives, of what kind, and what entering one means.

#include "platform/Gdi.h"
#include "platform/Volumes.h"
#include "support/FileTree.h"

namespace {

using platform::Volume;

// A mount table as a desktop with a USB stick, a network share and a CD has it.
const char* const kDesktopTable =
    "proc /proc proc rw,nosuid 0 0\n"
    "sysfs /sys sysfs rw 0 0\n"
    "/dev/sda2 / ext4 rw,relatime 0 0\n"
    "devtmpfs /dev devtmpfs rw 0 0\n"
    "tmpfs /run tmpfs rw 0 0\n"
    "/dev/sda1 /boot/efi vfat rw 0 0\n"                   // fixed, reached through the root
    "/dev/sdb1 /media/jana/FOTKY\\040AUTA vfat rw 0 0\n"  // "\040" is a space
    "nas.local:/export/Foto /mnt/nas nfs4 rw,addr=10.0.0.2 0 0\n"
    "//server/Sdileni /media/share cifs rw 0 0\n"
    "/dev/sr0 /media/jana/CD_2004 iso9660 ro 0 0\n"
    "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
    "overlay /var/lib/docker/overlay2/x/merged overlay rw 0 0\n"
    "tmpfs /mnt/scratch tmpfs rw 0 0\n";  // RAM plumbing, not a medium

TEST(MountTableTest, FieldsAreUnescaped) {
    EXPECT_EQ(platform::UnescapeMountField("a\\040b\\011c\\134d"), "a b\tc\\d");
    EXPECT_EQ(platform::UnescapeMountField("end\\04"), "end\\04");  // cut-off escape stays as it is
    EXPECT_EQ(platform::UnescapeMountField("\\999"), "\\999");      // not octal
}

TEST(MountTableTest, ParsesLinesAndSkipsBrokenOnes) {
    const auto entries = platform::ParseMountTable(
        "/dev/sda2 / ext4 rw 0 0\n"
        "\n"
        "only-two fields\n"
        "dev relative ext4 rw 0 0\n"          // a mount path must be absolute
        "/dev/sdb1\t/media/x\tvfat rw 0 0");  // tabs and no final line break
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].device, "/dev/sda2");
    EXPECT_EQ(entries[0].mountPath, "/");
    EXPECT_EQ(entries[0].fsType, "ext4");
    EXPECT_EQ(entries[1].mountPath, "/media/x");
}

TEST(MountTableTest, HostileTextEndsBounded) {
    std::string text;
    for (int i = 0; i < 30000; ++i) text += "/dev/x /m ext4 rw 0 0\n";
    EXPECT_EQ(platform::ParseMountTable(text).size(), platform::MaxMountEntries);
    EXPECT_TRUE(platform::ParseMountTable(std::string(100000, '\\')).empty());
    EXPECT_TRUE(platform::ParseMountTable(std::string(1000, '\0')).empty());
}

TEST(MountTableTest, DesktopVolumes) {
    const std::vector<Volume> volumes = platform::VolumesFromMountTable(kDesktopTable);
    ASSERT_EQ(volumes.size(), 5u);
    // The root first, the others by mount path.
    EXPECT_EQ(volumes[0].mountPath, "/");
    EXPECT_EQ(volumes[0].type, platform::DRIVE_FIXED);
    EXPECT_EQ(volumes[1].mountPath, "/media/jana/CD_2004");
    EXPECT_EQ(volumes[1].type, platform::DRIVE_CDROM);
    EXPECT_EQ(volumes[2].mountPath, "/media/jana/FOTKY AUTA");
    EXPECT_EQ(volumes[2].type, platform::DRIVE_REMOVABLE);
    EXPECT_EQ(volumes[3].mountPath, "/media/share");
    EXPECT_EQ(volumes[3].type, platform::DRIVE_REMOTE);
    EXPECT_EQ(volumes[3].device, "//server/Sdileni");
    EXPECT_EQ(volumes[4].mountPath, "/mnt/nas");
    EXPECT_EQ(volumes[4].type, platform::DRIVE_REMOTE);
    EXPECT_EQ(volumes[4].device, "nas.local:/export/Foto");
}

struct ClassifyCase {
    const char* device;
    const char* mountPath;
    const char* fsType;
    unsigned type;
};

class ClassifyTest : public testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyTest, Kind) {
    const ClassifyCase& c = GetParam();
    EXPECT_EQ(platform::ClassifyMount({c.device, c.mountPath, c.fsType}), c.type) << c.mountPath << " " << c.fsType;
}

INSTANTIATE_TEST_SUITE_P(
    Mounts, ClassifyTest,
    testing::Values(ClassifyCase{"overlay", "/", "overlay", platform::DRIVE_FIXED},  // a container's root
                    ClassifyCase{"overlay", "/srv/merged", "overlay", platform::DRIVE_UNKNOWN},
                    ClassifyCase{"/dev/sdc1", "/mnt", "ext4", platform::DRIVE_REMOVABLE},
                    ClassifyCase{"/dev/sdc1", "/run/media/petr/USB", "exfat", platform::DRIVE_REMOVABLE},
                    ClassifyCase{"/dev/sdc1", "/mediaX/usb", "ext4", platform::DRIVE_UNKNOWN},
                    ClassifyCase{"/dev/sda3", "/home", "ext4", platform::DRIVE_UNKNOWN},
                    ClassifyCase{"/dev/sr0", "/srv/dvd", "udf", platform::DRIVE_CDROM},
                    ClassifyCase{"petr@host:/data", "/home/petr/remote", "fuse.sshfs", platform::DRIVE_REMOTE},
                    ClassifyCase{"systemd-1", "/media/auto", "autofs", platform::DRIVE_UNKNOWN},
                    ClassifyCase{"tmpfs", "/media/ram", "tmpfs", platform::DRIVE_UNKNOWN},
                    ClassifyCase{"proc", "/proc", "proc", platform::DRIVE_UNKNOWN}));

TEST(MountTableTest, LaterMountHidesEarlier) {
    const auto volumes = platform::VolumesFromMountTable(
        "/dev/sda2 / ext4 rw 0 0\n"
        "/dev/sdb1 /media/usb vfat rw 0 0\n"
        "tmpfs /media/usb tmpfs rw 0 0\n");
    ASSERT_EQ(volumes.size(), 1u);
    EXPECT_EQ(volumes[0].mountPath, "/");
}

TEST(MountTableTest, RootIsThereEvenWhenMissing) {
    const auto volumes = platform::VolumesFromMountTable("");
    ASSERT_EQ(volumes.size(), 1u);
    EXPECT_EQ(volumes[0].mountPath, "/");
    EXPECT_EQ(volumes[0].type, platform::DRIVE_FIXED);
}

using VolumeServiceTest = FileTree;

TEST_F(VolumeServiceTest, VolumeOfTakesTheLongestMountPath) {
    UseMountTable(kDesktopTable);
    EXPECT_EQ(platform::VolumeOf("/mnt/nas/2024/a.jpg"), "/mnt/nas");
    EXPECT_EQ(platform::VolumeOf("/mnt/nas"), "/mnt/nas");
    EXPECT_EQ(platform::VolumeOf("/mnt/nasty"), "/");
    EXPECT_EQ(platform::VolumeOf("/boot/efi/x"), "/");  // not a listed volume
    EXPECT_EQ(platform::VolumeOf("/media/jana/FOTKY AUTA/x"), "/media/jana/FOTKY AUTA");
}

TEST_F(VolumeServiceTest, RemoteNameOnlyForNetworkVolumes) {
    UseMountTable(kDesktopTable);
    std::string remote;
    EXPECT_TRUE(platform::WNetGetConnection("/mnt/nas", remote));
    EXPECT_EQ(remote, "nas.local:/export/Foto");
    EXPECT_FALSE(platform::WNetGetConnection("/", remote));
    EXPECT_FALSE(platform::WNetGetConnection("/nowhere", remote));
}

TEST_F(VolumeServiceTest, DriveTypeOfListedVolumesOnly) {
    UseMountTable(kDesktopTable);
    EXPECT_EQ(platform::GetDriveType("/media/jana/CD_2004"), platform::DRIVE_CDROM);
    EXPECT_EQ(platform::GetDriveType("/mnt/nas"), platform::DRIVE_REMOTE);
    EXPECT_EQ(platform::GetDriveType("/mnt/scratch"), platform::DRIVE_UNKNOWN);  // mounted, not listed
    EXPECT_EQ(platform::GetDriveType("/media/jana"), platform::DRIVE_UNKNOWN);   // inside a volume, not one
}

TEST_F(VolumeServiceTest, LabelFromTheLabelFolder) {
    // A device node stand-in and a label link to it, as udev makes them.
    MakeDir("dev");
    MakeFile("dev/sda2");
    MakeDir("by-label");
    std::filesystem::create_symlink("../dev/sda2", Path("by-label/Syst\\x20em"));
    UseMountTable(Path("dev/sda2") + " / ext4 rw 0 0\n/dev/sr0 /media/cd iso9660 ro 0 0\n");
    platform::SetLabelFolder(Path("by-label"));
    std::string label;
    EXPECT_TRUE(platform::GetVolumeLabel("/", label));
    EXPECT_EQ(label, "Syst em");
    EXPECT_FALSE(platform::GetVolumeLabel("/media/cd", label));  // no such device here
}

TEST_F(VolumeServiceTest, CaseFlagsByFileSystem) {
    UseMountTable("/dev/sda2 / ext4 rw 0 0\n/dev/sdb1 /media/usb vfat rw 0 0\n");
    EXPECT_EQ(platform::GetVolumeFlags("/"), platform::FS_CASE_SENSITIVE | platform::FS_CASE_IS_PRESERVED);
    EXPECT_EQ(platform::GetVolumeFlags("/media/usb"), platform::FS_CASE_IS_PRESERVED);
}

TEST_F(VolumeServiceTest, EnteringAVolumeReturnsToItsLastFolder) {
    const std::string stick = MakeDir("usb");
    const std::string photos = MakeDir("usb/photos");
    UseMountTable("/dev/sda2 / ext4 rw 0 0\nnas:/stick " + stick + " nfs rw 0 0\n");
    ASSERT_TRUE(platform::EnterVolume(stick));
    EXPECT_EQ(platform::GetCurrentDirectory(), stick);  // at first its mount point
    ASSERT_TRUE(platform::SetCurrentDirectory(photos));
    ASSERT_TRUE(platform::SetCurrentDirectory(Path()));  // back on the root volume
    ASSERT_TRUE(platform::EnterVolume(stick));
    EXPECT_EQ(platform::GetCurrentDirectory(), photos);
    // A last folder that vanished falls back to the mount point.
    ASSERT_TRUE(platform::SetCurrentDirectory(Path()));
    std::filesystem::remove(photos);
    ASSERT_TRUE(platform::EnterVolume(stick));
    EXPECT_EQ(platform::GetCurrentDirectory(), stick);
}

TEST_F(VolumeServiceTest, UnmountedMediumCannotBeEntered) {
    UseMountTable("/dev/sda2 / ext4 rw 0 0\nnas:/gone " + Path("gone") + " nfs rw 0 0\n");
    EXPECT_FALSE(platform::EnterVolume(Path("gone")));
    EXPECT_EQ(platform::GetLastError(), platform::ERROR_FILE_NOT_FOUND);
}

}  // namespace
