// The smooth reduction in the window: a checkable item of the "Volby" menu, remembered for the
// next run, used by "Převeď!" and named in the log line.

#include <QMenu>

#include "MainWindowFixture.h"
#include "app/conversion/OutputPath.h"
#include "app/conversion/SaveRoad.h"
#include "graphics/Picture.h"

namespace {

void SaveThroughTheRoad(const std::string& source, const std::string& target, TReduction reduction) {
    TPicture picture;
    picture.ReadFromFile(source);
    SaveConversion(*picture.CurrentGraphic(), ApplySizeRule(picture.ImageWidth(), picture.ImageHeight()),
                   {.Reduction = reduction}, target);
}

TEST_F(MainWindow, SmoothReductionIsACheckedMenuItemRememberedForTheNextRun) {
    TMenuItem& item = *Form1->HladkeZmenseni1;
    EXPECT_EQ(Form1->Volby1->Caption(), "Volby");
    EXPECT_EQ(item.Caption(), "Hladké zmenšení");
    ASSERT_NE(Form1->Volby1->Action()->menu(), nullptr);
    EXPECT_TRUE(Form1->Volby1->Action()->menu()->actions().contains(item.Action()));
    EXPECT_FALSE(item.Checked());
    item.Action()->trigger();  // as the user's click
    EXPECT_TRUE(item.Checked());
    {
        TForm1 nextRun(nullptr);
        EXPECT_TRUE(nextRun.HladkeZmenseni1->Checked());
    }
    item.Click();
    EXPECT_FALSE(item.Checked());
    TForm1 thirdRun(nullptr);
    EXPECT_FALSE(thirdRun.HladkeZmenseni1->Checked());
}

TEST_F(MainWindow, SmoothSaveWritesTheSmoothResultAndSaysSoInTheLog) {
    const std::string source = Picture("car.jpg", 1000, 750);
    Form1->HladkeZmenseni1->Click();
    Save(source);
    EXPECT_EQ(Form1->Memo1->Lines(), std::vector<std::string>{"Nové rozměry: 640 x 480 (hladké zmenšení)"});
    const std::string written = FileBytes(OutputPathFor(source));
    SaveThroughTheRoad(source, folder.File("smooth.jpg"), TReduction::Smooth);
    SaveThroughTheRoad(source, folder.File("exact.jpg"), TReduction::Exact);
    EXPECT_EQ(written, FileBytes(folder.File("smooth.jpg")));
    EXPECT_NE(written, FileBytes(folder.File("exact.jpg")));
}

}  // namespace
