#pragma once
// A fixture for the file-system and browser tests: a fresh folder tree under a temporary folder,
// the current directory and the volume settings put back after each test.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Volumes.h"
#include "support/TestData.h"

class FileTree : public testing::Test {
protected:
    void SetUp() override {
        saved_ = std::filesystem::current_path();
        root_ = std::filesystem::canonical(temp_.Path()).string();
        platform::ForgetVolumeFolders();
    }
    void TearDown() override {
        // Permissions taken away by a test would keep the tree from being removed.
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(root_, error);
             it != std::filesystem::recursive_directory_iterator(); it.increment(error))
            if (it->is_directory(error)) ::chmod(it->path().c_str(), 0755);
        std::filesystem::current_path(saved_);
        platform::SetMountTableSource(nullptr);
        platform::SetLabelFolder("/dev/disk/by-label");
        platform::ForgetVolumeFolders();
    }

    std::string Path(const std::string& relative = "") const {
        return relative.empty() ? root_ : root_ + "/" + relative;
    }
    std::string MakeDir(const std::string& relative) const {
        std::filesystem::create_directories(Path(relative));
        return Path(relative);
    }
    std::string MakeFile(const std::string& relative) const {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        std::ofstream(Path(relative)) << "x";
        return Path(relative);
    }
    // Whether permissions hold for this process (they do not for root).
    bool PermissionsApply() const {
        const std::string probe = MakeDir("probe-permissions");
        ::chmod(probe.c_str(), 0);
        const bool denied = ::access(probe.c_str(), R_OK | X_OK) != 0;
        ::chmod(probe.c_str(), 0755);
        std::filesystem::remove(probe);
        return denied;
    }
    // Serves `text` as the mount table until the end of the test.
    static void UseMountTable(const std::string& text) {
        platform::SetMountTableSource([text] { return text; });
    }

private:
    testdata::TempDir temp_;
    std::filesystem::path saved_;
    std::string root_;
};
