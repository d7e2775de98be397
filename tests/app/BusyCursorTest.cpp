// The busy cursor of the conversion command: shown from the start of reading the picture until
// the preview or the save is done, the ordinary cursor for every question and message, and the
// ordinary cursor again however the command ended.

#include <fstream>
#include <ostream>

#include "MainWindowFixture.h"
#include "app/conversion/OutputPath.h"
#include "filectrl/FileListBox.h"
#include "graphics/Bitmap.h"
#include "ui/MessageBox.h"
#include "ui/Screen.h"

namespace {

// A bitmap that notes the screen's cursor whenever it is read or drawn.
class TCursorProbe : public TBitmap {
    OBRAZOR_CLASS_RECORD
public:
    static std::vector<TCursor> seen;
    void LoadFromStream(TStream& stream) override {
        seen.push_back(Screen().Cursor());
        TBitmap::LoadFromStream(stream);
    }
    void DrawInto(TCanvas& canvas, const TRect& rect) override {
        seen.push_back(Screen().Cursor());
        TBitmap::DrawInto(canvas, rect);
    }
};
std::vector<TCursor> TCursorProbe::seen;
OBRAZOR_DEFINE_CLASS(TCursorProbe, TBitmap);

enum class Source { Picture, Text, Missing };

struct BusyCase {
    const char* name;
    Source source;
    bool save;
    std::size_t boxes;  // questions and messages the run shows
    friend std::ostream& operator<<(std::ostream& out, const BusyCase& c) { return out << c.name; }
};

class BusyCursor : public MainWindow, public testing::WithParamInterface<BusyCase> {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        TPicture::RegisterExtension("probe", "Cursor probe", &TCursorProbe::Class);
        TCursorProbe::seen.clear();
        const TMessageBoxFunction answer = MessageBoxHook;
        MessageBoxHook = [this, answer](const std::string& text, const std::string& caption, unsigned flags) {
            cursorsAtBoxes.push_back(Screen().Cursor());
            return answer(text, caption, flags);
        };
    }
    void TearDown() override {
        TPicture::ForgetGraphicClass(&TCursorProbe::Class);
        MainWindow::TearDown();
    }
    std::vector<TCursor> cursorsAtBoxes;
};

TEST_P(BusyCursor, ShowsWhileThePictureIsReadAndDrawn) {
    const BusyCase& c = GetParam();
    std::string source = folder.File("photo.probe");
    if (c.source == Source::Picture) Picture("photo.probe", 800, 600);
    if (c.source == Source::Text) std::ofstream(source) << std::string(200, 'x');  // long enough for a header, not one
    std::ofstream(OutputPathFor(source)) << "older output";                        // asks before replacing it
    answers.push_back(IDYES);
    Form1->LE1->SetText(source);
    Form1->LE3->SetText(OutputPathFor(source));
    if (c.save) ClickConvert();
    else Form1->Button2Click(Form1->FileListBox1);
    if (c.source != Source::Missing) {
        ASSERT_FALSE(TCursorProbe::seen.empty());
    }
    for (TCursor cursor : TCursorProbe::seen) EXPECT_EQ(cursor, TCursor::crHourGlass);
    EXPECT_EQ(cursorsAtBoxes.size(), c.boxes);
    for (TCursor cursor : cursorsAtBoxes) EXPECT_EQ(cursor, TCursor::crDefault);
    EXPECT_EQ(Screen().Cursor(), TCursor::crDefault);
}

INSTANTIATE_TEST_SUITE_P(Runs, BusyCursor,
                         testing::Values(BusyCase{"Preview", Source::Picture, false, 0},
                                         BusyCase{"PreviewOfNoPicture", Source::Text, false, 0},
                                         BusyCase{"SaveWithAQuestion", Source::Picture, true, 1},
                                         BusyCase{"SaveOfAMissingFile", Source::Missing, true, 1}),
                         [](const testing::TestParamInfo<BusyCase>& test) { return std::string(test.param.name); });

}  // namespace
