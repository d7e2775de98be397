// The file-type filter: parsing its text and handing masks to the file list.

#include "filectrl/FileList.h"
#include "filectrl/FilterList.h"
#include "support/FileTree.h"

namespace {

const char* const kMainFilter =
    "Fotografie JPG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Fotografie/Grafika GIF (*.gif)|*.gif|Fotografie BMP "
    "(*.bmp)|*.bmp|Grafika WMF (*.wmf)|*.wmf|Grafika EMF (*.emf)|*.emf|V\xc5\xa1"
    "echny soubory (*.*)|*.*";

struct FilterCase {
    const char* filter;
    std::vector<std::pair<std::string, std::string>> entries;  // description, mask
};

class FilterParseTest : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterParseTest, Entries) {
    FilterList filter;
    filter.CreateWindow();
    filter.SetFilter(GetParam().filter);
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < filter.Count(); ++i) entries.emplace_back(filter.Entry(i).text, filter.MaskAt(i));
    EXPECT_EQ(entries, GetParam().entries);
    EXPECT_EQ(filter.ItemIndex(), filter.Count() > 0 ? 0 : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterParseTest,
    testing::Values(FilterCase{"A|*.a|B", {{"A", "*.a"}}},  // a last description without a mask is dropped
                    FilterCase{"A|*.a|B|*.b", {{"A", "*.a"}, {"B", "*.b"}}}, FilterCase{"A|", {{"A", ""}}},
                    FilterCase{"no bar at all", {}}, FilterCase{"", {}}, FilterCase{"|*.x", {{"", "*.x"}}},
                    FilterCase{kMainFilter,
                               {{"Fotografie JPG (*.jpg;*.jpeg)", "*.jpg;*.jpeg"},
                                {"Fotografie/Grafika GIF (*.gif)", "*.gif"},
                                {"Fotografie BMP (*.bmp)", "*.bmp"},
                                {"Grafika WMF (*.wmf)", "*.wmf"},
                                {"Grafika EMF (*.emf)", "*.emf"},
                                {"V\xc5\xa1"
                                 "echny soubory (*.*)",
                                 "*.*"}}}));

class FilterListTest : public FileTree {
protected:
    void SetUp() override {
        FileTree::SetUp();
        MakeFile("a.jpg");
        MakeFile("b.gif");
        files_.SetDirectory(Path());
        files_.SetMask("*.jpg;*.jpeg");
        files_.CreateWindow();
        files_.OnChange = [this](TObject*) { ++fileReports_; };
        filter_.OnChange = [this](TObject*) { ++filterChanges_; };
    }

    FileList files_;
    FilterList filter_;
    int fileReports_ = 0;
    int filterChanges_ = 0;
};

TEST_F(FilterListTest, SettingsBeforeTheWindowLeaveTheMaskAlone) {
    filter_.SetFileList(&files_);
    filter_.SetFilter(kMainFilter);
    EXPECT_EQ(filter_.Count(), 0);
    EXPECT_EQ(files_.Mask(), "*.jpg;*.jpeg");
    EXPECT_EQ(filterChanges_, 1);
    filter_.CreateWindow();  // selects the first entry without touching the file list
    EXPECT_EQ(filter_.ItemIndex(), 0);
    EXPECT_EQ(files_.Mask(), "*.jpg;*.jpeg");
    EXPECT_EQ(fileReports_, 0);
}

TEST_F(FilterListTest, ChoosingATypeRereadsTheFileList) {
    filter_.SetFilter(kMainFilter);
    filter_.SetFileList(&files_);
    filter_.CreateWindow();
    files_.Select(0);
    filter_.Choose(1);
    EXPECT_EQ(files_.Mask(), "*.gif");
    ASSERT_EQ(files_.Count(), 1);
    EXPECT_EQ(files_.Entry(0).text, "b.gif");
    EXPECT_EQ(files_.ItemIndex(), -1);
    EXPECT_EQ(fileReports_, 2);    // the selection, then the reading
    EXPECT_EQ(filterChanges_, 2);  // setting the filter, then the choice
    filter_.Choose(5);
    EXPECT_EQ(files_.Mask(), "*.*");
    EXPECT_EQ(files_.Count(), 2);
}

TEST_F(FilterListTest, SameTextInOtherCaseChangesNothing) {
    filter_.CreateWindow();
    filter_.SetFilter("ALL FILES (*.*)|*.*");
    EXPECT_EQ(filterChanges_, 0);
    EXPECT_EQ(filter_.Filter(), "All files (*.*)|*.*");
}

TEST_F(FilterListTest, EmptyFilterGivesEveryFile) {
    filter_.CreateWindow();
    filter_.SetFilter("");
    EXPECT_EQ(filter_.Mask(), "*.*");
}

TEST_F(FilterListTest, NewFilterWithAWindowSetsTheFirstMask) {
    filter_.SetFileList(&files_);
    filter_.CreateWindow();
    filter_.SetFilter("GIF|*.gif|JPG|*.jpg");
    EXPECT_EQ(files_.Mask(), "*.gif");
    EXPECT_EQ(filterChanges_, 1);
}

TEST_F(FilterListTest, FileListLinkIsClearedWhenEitherGoes) {
    {
        FileList other;
        filter_.SetFileList(&other);
    }
    EXPECT_EQ(filter_.GetFileList(), nullptr);
    filter_.CreateWindow();
    filter_.Choose(0);  // no dangling file list to tell
    EXPECT_EQ(filterChanges_, 1);
}

}  // namespace
