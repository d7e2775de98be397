// Several files selected in the file list: the gestures that extend the selection, the focused
// file that the owner is told about, and a new reading of the same folder that keeps both.

#include <QListView>
#include <QScrollBar>

#include "QtApplication.h"
#include "filectrl/FileListBox.h"
#include "support/FileTree.h"
#include "support/ListGestures.h"

namespace {

struct Gesture {
    enum Kind { Click, CtrlClick, ShiftClick, Key, ShiftKey, CtrlKey } kind;
    int rowOrKey;
};

struct GestureCase {
    const char* name;
    std::vector<Gesture> gestures;
    std::vector<int> selected;
    std::vector<int> reported;  // the focused entry at each change report
};

class MultiSelect : public FileTree, public testing::WithParamInterface<GestureCase> {
protected:
    void SetUp() override {
        EnsureApplication();
        FileTree::SetUp();
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) MakeFile(name);
        box_ = std::make_unique<TFileListBox>(nullptr);
        box_->SetDirectory(Path());
        box_->HandleNeeded();
        box_->Widget()->resize(145, 313);
        box_->Widget()->show();
        box_->OnChange = [this](TObject*) { reported_.push_back(box_->ItemIndex()); };
    }

    void Perform(const Gesture& gesture) {
        QListView& view = *static_cast<QListView*>(box_->Widget());
        switch (gesture.kind) {
        case Gesture::Click: return gestures::Click(view, gesture.rowOrKey);
        case Gesture::CtrlClick: return gestures::Click(view, gesture.rowOrKey, Qt::ControlModifier);
        case Gesture::ShiftClick: return gestures::Click(view, gesture.rowOrKey, Qt::ShiftModifier);
        case Gesture::Key: return gestures::Key(view, gesture.rowOrKey);
        case Gesture::ShiftKey: return gestures::Key(view, gesture.rowOrKey, Qt::ShiftModifier);
        case Gesture::CtrlKey: return gestures::Key(view, gesture.rowOrKey, Qt::ControlModifier);
        }
    }

    std::vector<int> Selected() const {
        std::vector<int> rows;
        for (const std::string& file : box_->SelectedFiles())
            for (int i = 0; i < box_->Count(); ++i)
                if (Path(box_->Items(i)) == file) rows.push_back(i);
        return rows;
    }

    std::unique_ptr<TFileListBox> box_;  // made once the application stands
    std::vector<int> reported_;
};

TEST_P(MultiSelect, GesturesSelectAndTheFocusedFileIsReported) {
    for (const Gesture& gesture : GetParam().gestures) Perform(gesture);
    EXPECT_EQ(Selected(), GetParam().selected);
    EXPECT_EQ(reported_, GetParam().reported);
    const int focused = GetParam().reported.back();
    EXPECT_EQ(box_->FileName(), Path(box_->Items(focused)));
}

using G = Gesture;
INSTANTIATE_TEST_SUITE_P(
    Gestures, MultiSelect,
    testing::Values(
        GestureCase{"Click", {{G::Click, 1}}, {1}, {1}},
        GestureCase{"CtrlClickAdds", {{G::Click, 1}, {G::CtrlClick, 3}}, {1, 3}, {1, 3}},
        GestureCase{"ShiftClickTakesTheRange", {{G::Click, 1}, {G::ShiftClick, 3}}, {1, 2, 3}, {1, 3}},
        GestureCase{"CtrlClickTakesOneOff", {{G::Click, 1}, {G::CtrlClick, 3}, {G::CtrlClick, 3}}, {1}, {1, 3, 1}},
        GestureCase{"ShiftArrows",
                    {{G::Click, 1}, {G::ShiftKey, Qt::Key_Down}, {G::ShiftKey, Qt::Key_Down}},
                    {1, 2, 3},
                    {1, 2, 3}},
        GestureCase{"CtrlAKeepsTheFocus", {{G::Click, 2}, {G::CtrlKey, Qt::Key_A}}, {0, 1, 2, 3, 4}, {2}},
        GestureCase{"PlainClickSelectsOneAgain", {{G::Click, 1}, {G::ShiftClick, 3}, {G::Click, 4}}, {4}, {1, 3, 4}},
        GestureCase{"ArrowMovesOne", {{G::Click, 1}, {G::Key, Qt::Key_Down}}, {2}, {1, 2}}),
    [](const auto& test) { return std::string(test.param.name); });

class Reread : public FileTree {
protected:
    void SetUp() override {
        EnsureApplication();
        FileTree::SetUp();
        for (int i = 0; i < 40; ++i) MakeFile("photo" + std::to_string(100 + i) + ".jpg");
        box_ = std::make_unique<TFileListBox>(nullptr);
        box_->SetDirectory(Path());
        box_->SetMask("*.jpg");
        box_->HandleNeeded();
        box_->Widget()->resize(145, 120);
        box_->Widget()->show();
        box_->OnChange = [this](TObject*) { ++reports_; };
    }
    QScrollBar& Scroll() { return *static_cast<QListView*>(box_->Widget())->verticalScrollBar(); }

    std::unique_ptr<TFileListBox> box_;
    int reports_ = 0;
};

// New files appear, the selection and the scroll position stay, and the owner, who already
// shows the focused file, is not told again.
TEST_F(Reread, KeepsSelectionAndScrollPosition) {
    box_->SelectNames({"photo120.jpg", "photo130.jpg"});
    Scroll().setValue(Scroll().maximum());
    const int scrolled = Scroll().value();
    ASSERT_GT(scrolled, 0);
    reports_ = 0;
    MakeFile("photo120.LMV.jpg");
    MakeFile("photo130.LMV.jpg");
    box_->Reread();
    EXPECT_EQ(box_->Count(), 42);
    EXPECT_EQ(box_->SelectedFiles(), (std::vector<std::string>{Path("photo120.jpg"), Path("photo130.jpg")}));
    EXPECT_EQ(box_->FileName(), Path("photo120.jpg"));
    EXPECT_EQ(Scroll().value(), scrolled);
    EXPECT_EQ(reports_, 0);
    // A focused file that is gone hands the focus on, and that is a change.
    std::filesystem::remove(Path("photo120.jpg"));
    box_->Reread();
    EXPECT_EQ(box_->SelectedFiles(), std::vector<std::string>{Path("photo130.jpg")});
    EXPECT_EQ(box_->FileName(), Path("photo130.jpg"));
    EXPECT_EQ(reports_, 1);
}

}  // namespace
