// The tool against the window itself: the same source and settings through TForm1's
// "Převeď!" (questions answered through the message-box hook) and through the tool must leave
// the same bytes, and where the window's answer is "No" the tool's default writes nothing.

#include <gtest/gtest.h>

#include "TestPictures.h"
#include "app/Unit1.h"
#include "app/conversion/PictureFormats.h"
#include "app/conversion/PictureConversion.h"
#include "convert/Options.h"
#include "support/TestData.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

namespace {

using namespace convtest;

struct WindowCase {
    const char* name;
    int width, height;
    const char* quality;
    bool gray;
    bool smooth = false;
};

void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.name << ' ' << c.width << 'x' << c.height << " q=" << c.quality << (c.gray ? " gray" : "")
        << (c.smooth ? " smooth" : "");
}

class WindowParity : public testing::TestWithParam<WindowCase> {
protected:
    static void SetUpTestSuite() {
        if (!Application) TApplication::Initialize();
        RegisterPictureFormats();
    }
    void SetUp() override {
        window = std::make_unique<TForm1>(nullptr);
        MessageBoxHook = [this](const std::string& text, const std::string&, unsigned) {
            questions.push_back(text);
            return answer;
        };
    }
    void TearDown() override { MessageBoxHook = nullptr; }

    // "Převeď!" on `source` with the window's output field set to `target`.
    void PressConvert(const std::string& source, const std::string& target, const WindowCase& settings) {
        window->LE1->SetText(source);
        window->LE3->SetText(target);
        window->LE2->SetText(settings.quality);
        window->CheckBox1->SetChecked(settings.gray);
        window->CheckBox2->SetChecked(false);
        window->HladkeZmenseni1->SetChecked(settings.smooth);
        window->Button2Click(window->Button2);
    }
    FileOutcome RunTool(const std::string& source, const WindowCase& settings, bool reprocess) {
        ConvertOptions options;
        options.qualityText = settings.quality;
        options.gray = settings.gray;
        options.reprocess = reprocess;
        options.smooth = settings.smooth;
        return ConvertPicture(source, SettingsFrom(options));
    }

    testdata::TempDir dir;
    std::unique_ptr<TForm1> window;
    std::vector<std::string> questions;
    int answer = IDYES;
};

TEST_P(WindowParity, ToolWritesTheWindowsBytes) {
    const WindowCase& c = GetParam();
    const std::string source = dir.File(c.name);
    (std::string(c.name).ends_with(".bmp") ? WriteBmp : WriteJpeg)(source, c.width, c.height);
    PressConvert(source, dir.File("window.jpg"), c);
    const FileOutcome outcome = RunTool(source, c, true);
    ASSERT_EQ(outcome.kind, OutcomeKind::Converted) << outcome.message;
    const Bytes fromWindow = ReadBytes(dir.File("window.jpg"));
    ASSERT_FALSE(fromWindow.empty());
    EXPECT_EQ(ReadBytes(outcome.output), fromWindow);
}

INSTANTIATE_TEST_SUITE_P(Settings, WindowParity,
                         testing::Values(WindowCase{"car.jpg", 200, 150, "75", false},
                                         WindowCase{"car.jpg", 150, 200, "40", true},
                                         WindowCase{"scan.bmp", 177, 100, "abc", false},  // field's fallback
                                         WindowCase{"car.jpg", 161, 100, "300", true},    // low 8 bits
                                         WindowCase{"fits.bmp", 60, 480, "90", false},    // asked, "Yes"
                                         WindowCase{"car.jpg", 1700, 1000, "75", false, true},
                                         WindowCase{"scan.bmp", 177, 100, "90", true, true}));

// The window asks before reprocessing a picture that fits; the tool's default is its "No".
TEST_F(WindowParity, FittingPictureRefusedInTheWindowIsSkippedByTheTool) {
    const WindowCase c{"fits.bmp", 60, 480, "75", false};
    WriteBmp(dir.File(c.name), c.width, c.height);
    answer = IDNO;
    PressConvert(dir.File(c.name), dir.File("window.jpg"), c);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("Fotografie již vyhovuje rozměrům!"), std::string::npos);
    EXPECT_FALSE(Exists(dir.File("window.jpg")));
    EXPECT_EQ(RunTool(dir.File(c.name), c, false).kind, OutcomeKind::Skipped);
    EXPECT_FALSE(Exists(dir.File("fits.LMV.jpg")));
}

}  // namespace
