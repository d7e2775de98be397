// The browser controls in form descriptions: their classes and their own properties.

#include <memory>

#include "QtApplication.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/FileControlClasses.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "graphics/Exceptions.h"
#include "support/FileTree.h"
#include "ui/ComponentClasses.h"

namespace {

// Components by name, and one handler, as a form being read offers them.
class Context : public TReaderContext {
public:
    std::map<std::string, TComponent*> components;
    int handled = 0;
    TComponent& Component(const std::string& name) const override {
        const auto found = components.find(name);
        if (found == components.end()) throw EReadError("Invalid reference to component " + name);
        return *found->second;
    }
    TNotifyEvent Handler(const std::string& name) const override {
        if (name != "FileListBox1Change") throw EReadError("Invalid reference to handler " + name);
        return [this](TObject*) { ++const_cast<Context*>(this)->handled; };
    }
};

class FileControlClassesTest : public FileTree {
protected:
    void SetUp() override {
        EnsureApplication();
        FileTree::SetUp();
        RegisterFileControlClasses();
    }
    template <typename T>
    std::unique_ptr<T> Make(const char* className, const char* name) {
        const TComponentClass* componentClass = FindComponentClass(className);
        EXPECT_NE(componentClass, nullptr);
        std::unique_ptr<T> made(dynamic_cast<T*>(componentClass->create(nullptr, nullptr)));
        EXPECT_NE(made, nullptr);
        context_.components[name] = made.get();
        return made;
    }
    bool Set(const char* className, TComponent& component, const char* property, TPropertyValue value) {
        return FindComponentClass(className)->setProperty(component, property, value, context_);
    }

    Context context_;
};

TEST_F(FileControlClassesTest, MainWindowSettings) {
    auto folders = Make<TDirectoryListBox>("TDirectoryListBox", "DirectoryListBox1");
    auto drives = Make<TDriveComboBox>("TDriveComboBox", "DriveComboBox1");
    auto files = Make<TFileListBox>("TFileListBox", "FileListBox1");
    auto filter = Make<TFilterComboBox>("TFilterComboBox", "FilterComboBox1");
    EXPECT_TRUE(Set("TDirectoryListBox", *folders, "ItemHeight", std::int64_t(16)));
    EXPECT_TRUE(Set("TDirectoryListBox", *folders, "FileList", TIdent{"FileListBox1"}));
    EXPECT_TRUE(Set("TDriveComboBox", *drives, "DirList", TIdent{"DirectoryListBox1"}));
    EXPECT_TRUE(Set("TFileListBox", *files, "ItemHeight", std::int64_t(13)));
    EXPECT_TRUE(Set("TFileListBox", *files, "Mask", std::string("*.jpg;*.jpeg")));
    EXPECT_TRUE(Set("TFileListBox", *files, "FileType", std::vector<std::string>{"ftReadOnly", "ftNormal"}));
    EXPECT_TRUE(Set("TFileListBox", *files, "OnChange", TIdent{"FileListBox1Change"}));
    EXPECT_TRUE(Set("TFilterComboBox", *filter, "FileList", TIdent{"FileListBox1"}));
    EXPECT_TRUE(Set("TFilterComboBox", *filter, "Filter", std::string("JPG|*.jpg;*.jpeg|All|*.*")));
    EXPECT_EQ(folders->ItemHeight(), 16);
    EXPECT_EQ(folders->FileList(), files.get());
    EXPECT_EQ(drives->DirList(), folders.get());
    EXPECT_EQ(files->ItemHeight(), 13);
    EXPECT_EQ(files->Mask(), "*.jpg;*.jpeg");
    EXPECT_EQ(files->FileType(), ftReadOnly | ftNormal);
    EXPECT_EQ(filter->FileList(), files.get());
    files->HandleNeeded();
    EXPECT_EQ(context_.handled, 1);  // the first reading reports
}

TEST_F(FileControlClassesTest, UnknownPropertiesAreDeclined) {
    auto files = Make<TFileListBox>("TFileListBox", "FileListBox1");
    EXPECT_FALSE(Set("TFileListBox", *files, "Caption", std::string("x")));
}

TEST_F(FileControlClassesTest, BadValuesFailToRead) {
    auto files = Make<TFileListBox>("TFileListBox", "FileListBox1");
    auto drives = Make<TDriveComboBox>("TDriveComboBox", "DriveComboBox1");
    EXPECT_THROW(Set("TFileListBox", *files, "FileType", std::vector<std::string>{"ftBogus"}), EReadError);
    EXPECT_THROW(Set("TDriveComboBox", *drives, "DirList", TIdent{"FileListBox1"}), EReadError);  // wrong class
    EXPECT_THROW(Set("TDriveComboBox", *drives, "DirList", TIdent{"Nobody"}), EReadError);
}

}  // namespace
