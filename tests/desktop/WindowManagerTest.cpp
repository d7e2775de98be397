// The windows under openbox on a 1024 x 768 screen: the full-size view's frame stays reachable
// on every showing, the view cannot be minimised out of reach, and the menu bar shows the item
// the keyboard has made active.

#include <QImage>
#include <vector>
#include <QMenuBar>
#include <QWidget>

#include "Desktop.h"
#include "XSession.h"
#include "app/Unit1.h"
#include "app/Unit2.h"

namespace {

// The view's frame, caption included, lies wholly inside the work area.
void ExpectFrameReachable(const char* step) {
    const QRect frame = SettledFrame(Form2->Widget());
    ASSERT_FALSE(frame.isNull()) << step << ": the view was not framed";
    EXPECT_TRUE(WorkArea().contains(frame))
        << step << ": frame at " << frame.x() << "," << frame.y() << " size " << frame.width() << "x" << frame.height();
}

// A click on the view closes it; the user's next click comes after the desktop has let it go.
void CloseView() {
    Form2->Image1Click(Form2->Image1);
    const std::string id = WindowId(Form2->Widget());
    WaitUntil([&] { return XCommand("xwininfo -id " + id).find("IsUnMapped") != std::string::npos; });
    WaitUntil([] { return false; }, 300);
}

// The showings that put the caption off the screen before: a small picture, a photo larger
// than the screen (twice), and a small one right after the large one.
TEST_F(Desktop, FullSizeViewFrameStaysInTheWorkAreaOnEveryShowing) {
    const std::string small = Picture("maly.bmp", 116, 100);
    const std::string huge = Picture("velky.jpg", 5640, 3172);
    ShowFullSize(small);
    ExpectFrameReachable("small");
    CloseView();
    ShowFullSize(huge);
    ExpectFrameReachable("huge");
    CloseView();
    ShowFullSize(huge);
    ExpectFrameReachable("huge again");
    ShowFullSize(small);
    ExpectFrameReachable("small after huge");
    EXPECT_EQ(Form2->Caption(), "100% zobrazení: 116 x 100");
}

bool Minimised(const std::string& id) { return Property(id, "WM_STATE").find("Iconic") != std::string::npos; }

// The window's Motif hints: flags, functions, decorations.
std::vector<unsigned> MotifHints(const std::string& id) {
    std::vector<unsigned> values;
    const std::string text = Property(id, "_MOTIF_WM_HINTS");
    for (std::size_t at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 2))
        values.push_back(unsigned(std::stoul(text.substr(at), nullptr, 16)));
    return values;
}

// The view asks for a move and a close function only; openbox still offers to minimise any
// framed window, so every showing has to bring it back.
TEST_F(Desktop, FullSizeViewAsksForCloseOnlyAndEveryShowingBringsItBack) {
    constexpr unsigned kFunctionsGiven = 1, kMinimise = 1 << 3, kMaximise = 1 << 4;
    const std::string picture = Picture("auto.bmp", 320, 240);
    ShowFullSize(picture);
    ASSERT_FALSE(SettledFrame(Form2->Widget()).isNull());
    const std::string id = WindowId(Form2->Widget());
    const std::vector<unsigned> motif = MotifHints(id);
    ASSERT_GE(motif.size(), 2u) << Property(id, "_MOTIF_WM_HINTS");
    EXPECT_TRUE(motif[0] & kFunctionsGiven);
    EXPECT_EQ(motif[1] & (kMinimise | kMaximise), 0u) << Property(id, "_MOTIF_WM_HINTS");
    const std::string actions = Property(id, "_NET_WM_ALLOWED_ACTIONS");
    EXPECT_NE(actions.find("_NET_WM_ACTION_CLOSE"), std::string::npos) << actions;
    EXPECT_EQ(actions.find("_NET_WM_ACTION_MAXIMIZE"), std::string::npos) << actions;

    XCommand("xdotool windowminimize " + id);
    ASSERT_TRUE(WaitUntil([&] { return Minimised(id); }, 3000))
        << "openbox no longer minimises it: " << Property(id, "WM_STATE");
    ShowFullSize(picture);
    EXPECT_TRUE(WaitUntil([&] { return !Minimised(id); })) << Property(id, "WM_STATE");
    EXPECT_TRUE(WaitUntil([&] { return Property("", "_NET_ACTIVE_WINDOW").find(id) != std::string::npos; }))
        << Property("", "_NET_ACTIVE_WINDOW");
    EXPECT_NE(XCommand("xwininfo -id " + id).find("IsViewable"), std::string::npos);
}

// The pixels of the bar's item.
QImage ItemPixels(QMenuBar* bar, QAction* item) { return bar->grab(bar->actionGeometry(item)).toImage(); }

TEST_F(Desktop, AltHighlightsTheMenuItemThatEnterWouldChoose) {
    QMenuBar* bar = Form1->MainMenu1->Bar();
    QAction* first = Form1->Konec1->Action();
    int chosen = 0;
    Form1->Konec1->OnClick = [&](TObject*) { ++chosen; };
    Form1->Memo1->SetFocus();
    const QImage plain = ItemPixels(bar, first);

    XCommand("xdotool key --clearmodifiers alt");
    ASSERT_TRUE(WaitUntil([&] { return bar->activeAction() == first && bar->hasFocus(); }))
        << "Alt did not make the first item active";
    EXPECT_NE(ItemPixels(bar, first), plain) << "the active item looks as before";

    XCommand("xdotool key Return");
    EXPECT_TRUE(WaitUntil([&] { return chosen == 1; })) << "Enter did not choose the highlighted item";

    // Without a highlighted item Enter goes to the control that has the keyboard.
    Form1->Memo1->SetFocus();
    XCommand("xdotool key alt");
    WaitUntil([&] { return bar->activeAction() != nullptr; });
    XCommand("xdotool key Escape");
    ASSERT_TRUE(WaitUntil([&] { return !bar->hasFocus(); }));
    EXPECT_EQ(ItemPixels(bar, first), plain);
    XCommand("xdotool key Return");
    WaitUntil([] { return false; }, 300);
    EXPECT_EQ(chosen, 1);
}

}  // namespace
