// The four controls as widgets: they follow their lists, pass the user's actions on, and draw
// their entries where the drawing rules put them.

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListView>

#include "QtApplication.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "support/FileTree.h"
#include "ui/Control.h"

namespace {

class ViewTest : public FileTree {
protected:
    void SetUp() override {
        EnsureApplication();
        FileTree::SetUp();
    }
    static QListView* ListOf(TControl& control) { return static_cast<QListView*>(control.Widget()); }
    static QComboBox* ComboOf(TControl& control) { return static_cast<QComboBox*>(control.Widget()); }
};

TEST_F(ViewTest, FileListBoxShowsAndReportsWithItselfAsSender) {
    MakeFile("b.jpg");
    MakeFile("a.jpg");
    MakeFile(
        "\xe8"
        "ern\xe1.jpg");  // not UTF-8
    TFileListBox box(nullptr);
    std::vector<std::pair<TObject*, std::string>> reports;
    box.OnChange = [&](TObject* sender) { reports.emplace_back(sender, box.FileName()); };
    box.SetDirectory(Path());
    box.SetMask("*.jpg");
    box.HandleNeeded();
    QListView* view = ListOf(box);
    ASSERT_EQ(view->model()->rowCount(), 3);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "a.jpg");
    EXPECT_EQ(view->model()->index(2, 0).data().toString(), QString::fromUtf8("\xef\xbf\xbd"
                                                                              "ern\xef\xbf\xbd.jpg"));
    // The user selects the second entry.
    view->selectionModel()->select(view->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], std::make_pair(static_cast<TObject*>(&box), std::string()));
    EXPECT_EQ(reports[1], std::make_pair(static_cast<TObject*>(&box), Path("b.jpg")));
    // A new reading clears the view's selection.
    box.SetMask("*.*");
    EXPECT_TRUE(view->selectionModel()->selectedIndexes().isEmpty());
    EXPECT_EQ(reports.back().second, "");
}

TEST_F(ViewTest, ItemHeightsFromTheFontOrSet) {
    TFileListBox files(nullptr);
    TDirectoryListBox folders(nullptr);
    const int textHeight = QFontMetrics(files.Widget()->font()).height();
    EXPECT_EQ(files.ItemHeight(), textHeight);
    EXPECT_EQ(folders.ItemHeight(), std::max(textHeight, 16));
    files.SetShowGlyphs(true);
    EXPECT_EQ(files.ItemHeight(), std::max(textHeight, 16));
    files.SetItemHeight(13);
    EXPECT_EQ(files.ItemHeight(), 13);
}

TEST_F(ViewTest, RowsHaveTheItemHeight) {
    MakeFile("a.jpg");
    MakeFile("b.jpg");
    TFileListBox box(nullptr);
    box.SetDirectory(Path());
    box.SetItemHeight(13);
    box.HandleNeeded();
    box.Widget()->resize(145, 313);
    const QListView* view = ListOf(box);
    EXPECT_EQ(view->visualRect(view->model()->index(0, 0)).height(), 13);
    EXPECT_EQ(view->visualRect(view->model()->index(1, 0)).top(), 13);
}

// Whether a pixel of the image differs from both entry backgrounds.
bool Inked(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
    return pixel != (ToQColor(clWindow).rgb() & 0xFFFFFF) && pixel != (ToQColor(clHighlight).rgb() & 0xFFFFFF);
}

TEST_F(ViewTest, DirectoryGlyphsStandAtTheirOffsets) {
    MakeDir("Foto/Auto/sub");
    ASSERT_TRUE(platform::SetCurrentDirectory(Path("Foto/Auto")));
    TDirectoryListBox box(nullptr);
    box.SetItemHeight(16);
    box.HandleNeeded();
    QListView* view = ListOf(box);
    view->resize(400, 16 * (box.Logic().Count() + 2));
    const QImage image = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < box.Logic().Count(); ++row) {
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        const int left = box.Logic().GlyphLeft(row);
        bool glyph = false, before = false, gap = false;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = 0; x < left; ++x) before |= Inked(image, x, y);
            for (int x = left; x < left + 16; ++x) glyph |= Inked(image, x, y);
            for (int x = left + 16; x < left + 20; ++x) gap |= Inked(image, x, y);
        }
        EXPECT_FALSE(before) << "row " << row << ": ink left of the glyph";
        EXPECT_TRUE(glyph) << "row " << row << ": no glyph at " << left;
        EXPECT_FALSE(gap) << "row " << row << ": text closer than 4 pixels to the glyph";
    }
}

TEST_F(ViewTest, EnterOpensTheSelectedFolder) {
    MakeDir("a/b");
    ASSERT_TRUE(platform::SetCurrentDirectory(Path("a")));
    TDirectoryListBox box(nullptr);
    box.HandleNeeded();
    box.Logic().Select(box.Logic().Count() - 1);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box.Widget(), &enter);
    EXPECT_EQ(box.Directory(), Path("a/b"));
}

TEST_F(ViewTest, LinkedControlsFollowEachOther) {
    MakeDir("x/y");
    MakeFile("x/y/photo.jpg");
    UseMountTable("/dev/sda2 / ext4 rw 0 0\nnas:/x " + Path("x") + " nfs rw 0 0\n");
    ASSERT_TRUE(platform::SetCurrentDirectory(Path()));
    TDirectoryListBox folders(nullptr);
    TDriveComboBox drives(nullptr);
    TFileListBox files(nullptr);
    TFilterComboBox filter(nullptr);
    drives.SetDirList(&folders);
    folders.SetFileList(&files);
    filter.SetFileList(&files);
    files.SetMask("*.jpg;*.jpeg");
    filter.SetFilter("JPG|*.jpg;*.jpeg|All|*.*");
    EXPECT_EQ(drives.DirList(), &folders);
    EXPECT_EQ(folders.DriveCombo(), &drives);
    EXPECT_EQ(folders.FileList(), &files);
    EXPECT_EQ(filter.FileList(), &files);
    for (TWinControl* control : std::initializer_list<TWinControl*>{&folders, &drives, &files, &filter})
        control->HandleNeeded();
    QComboBox* driveCombo = ComboOf(drives);
    ASSERT_EQ(driveCombo->count(), 2);
    EXPECT_EQ(driveCombo->currentIndex(), 0);
    EXPECT_EQ(ComboOf(filter)->count(), 2);
    EXPECT_EQ(files.Mask(), "*.jpg;*.jpeg");

    emit driveCombo->activated(1);  // the user chooses the network volume
    EXPECT_EQ(folders.Directory(), Path("x"));
    EXPECT_EQ(files.Directory(), Path("x"));
    folders.SetDirectory(Path("x/y"));
    ASSERT_EQ(files.Count(), 1);
    emit ComboOf(filter)->activated(1);
    EXPECT_EQ(files.Mask(), "*.*");
    folders.SetDirectory(Path());
    EXPECT_EQ(driveCombo->currentIndex(), 0);  // the selector follows the folder's volume
}

// The closed filter keeps its width and may cut its text; its list and its hint show it whole.
TEST_F(ViewTest, FilterListShowsItsLongestEntryWholeAndHintsTheChosenOne) {
    const QString longest = "Fotografie JPG (*.jpg;*.jpeg)";
    TFilterComboBox filter(nullptr);
    filter.SetFilter((longest + "|*.jpg;*.jpeg|BMP|*.bmp").toStdString());
    filter.HandleNeeded();
    QComboBox* combo = ComboOf(filter);
    combo->resize(60, 21);
    EXPECT_EQ(combo->toolTip(), longest);
    combo->showPopup();
    EXPECT_GT(combo->view()->width(), QFontMetrics(combo->view()->font()).horizontalAdvance(longest));
    combo->hidePopup();
    EXPECT_EQ(combo->width(), 60);
    emit combo->activated(1);
    EXPECT_EQ(combo->toolTip(), "BMP");
}

// Tabbing into a list shows where the keyboard is, also when no entry is chosen.
TEST_F(ViewTest, FocusedListShowsAFocusRectangle) {
    MakeFile("a.jpg");
    MakeFile("b.jpg");
    for (bool withEntries : {true, false}) {
        TFileListBox box(nullptr);
        box.SetDirectory(Path());
        box.SetMask(withEntries ? "*.jpg" : "*.none");
        box.SetItemHeight(16);
        box.HandleNeeded();
        QListView* view = ListOf(box);
        view->resize(145, 100);
        view->show();
        QApplication::setActiveWindow(view);
        const auto ink = [&] {
            const QImage image = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            int count = 0;
            for (int x = 0; x < image.width(); ++x) count += Inked(image, x, 0);  // the first row's top edge
            return count;
        };
        view->clearFocus();
        const int unfocused = ink();
        view->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(view->hasFocus());
        EXPECT_GT(ink(), unfocused + 20) << (withEntries ? "first entry" : "empty list");
        view->hide();
    }
}

TEST_F(ViewTest, DestroyedControlsLeaveNoLinks) {
    TDriveComboBox drives(nullptr);
    TFilterComboBox filter(nullptr);
    {
        TDirectoryListBox folders(nullptr);
        TFileListBox files(nullptr);
        drives.SetDirList(&folders);
        filter.SetFileList(&files);
    }
    EXPECT_EQ(drives.DirList(), nullptr);
    EXPECT_EQ(filter.FileList(), nullptr);
}

}  // namespace
