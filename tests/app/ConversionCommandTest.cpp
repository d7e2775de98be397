#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "app/conversion/OutputPath.h"
#include "app/conversion/SaveRoad.h"
#include "graphics/Bitmap.h"
#include "jpeg/JPEGImage.h"
#include "ui/MessageBox.h"

namespace {

const char* const kReprocessText = "Fotografie již vyhovuje rozměrům!\rChcete ji přesto znovu zpracovat a uložit?\r";
const char* const kOverwriteText = "Soubor již existuje!\rChcete jej přepsat novým souborem?\r";

// The save road without the window, at the size the rule gives; with `decodeFirst` a JPEG is
// drawn from its decoded bitmap rather than from its decoder's rows.
void SaveThroughTheRoad(const std::string& source, const std::string& target, const TJpegOutput& output,
                        bool decodeFirst = false) {
    TPicture picture;
    picture.ReadFromFile(source);
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(picture.CurrentGraphic()); jpeg && decodeFirst) jpeg->Decode();
    SaveConversion(*picture.CurrentGraphic(), ApplySizeRule(picture.ImageWidth(), picture.ImageHeight()), output,
                   target);
}

TEST_F(MainWindow, PreviewShowsTheSourceSizeAndAQuarterOfTheResult) {
    const std::string source = Picture("auto.bmp", 320, 240);
    Preview(source);
    EXPECT_EQ(Form1->Label1->Caption(), "Výška: 240");
    EXPECT_EQ(Form1->Label2->Caption(), "Šířka: 320");
    EXPECT_EQ(Form1->Image0->Width(), 160);  // 640 x 480 / 4
    EXPECT_EQ(Form1->Image0->Height(), 120);
    EXPECT_EQ(Form1->Image0->Picture().ImageWidth(), 160);
    EXPECT_EQ(Form1->Image0->Picture().ImageHeight(), 120);
    EXPECT_EQ(Form1->Img1->Width(), 640);
    EXPECT_EQ(Form1->Img1->Height(), 480);
    EXPECT_EQ(Form1->Img1->Picture().CurrentGraphic(), nullptr);
    // Preview mode never asks, logs or writes.
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Form1->Memo1->LineCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(OutputPathFor(source)));
}

TEST_F(MainWindow, PreviewOfAPictureThatFitsAsksNothing) {
    Preview(Picture("fits.bmp", 640, 480));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Form1->Image0->Width(), 160);
    EXPECT_EQ(Form1->Image0->Height(), 120);
}

TEST_F(MainWindow, PreviewIsTheLeftPartOfThePanelForWidePreviews) {
    Preview(Picture("narrow.bmp", 640, 300));  // 1024 x 480: a 256 x 120 preview
    EXPECT_EQ(Form1->Image0->BoundsRect(), (TRect{0, 0, 256, 120}));
    EXPECT_EQ(Form1->Image0->Widget()->parentWidget(), Form1->Panel1->Widget());
}

TEST_F(MainWindow, SaveWritesAJpegOfTheResultSizeAndLogsIt) {
    const std::string source = Picture("auto.jpg", 320, 240);
    Save(source);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Form1->Memo1->Lines(), std::vector<std::string>{"Nové rozměry: 640 x 480"});
    const JpegFrame frame = ReadJpegFrame(OutputPathFor(source));
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.height, 480);
    EXPECT_EQ(frame.components, 3);
    EXPECT_EQ(Form1->Img1->Picture().ImageWidth(), 640);  // the working bitmap stays in Img1
}

TEST_F(MainWindow, PathTypedIntoTheSourceFieldSavesBesideIt) {
    const std::string source = Picture("typed.bmp", 800, 600);
    Form1->LE1->SetText(source);
    Form1->LE3->SetText("");
    Form1->Button2Click(Form1->Button2);
    EXPECT_EQ(Form1->LE3->Text(), OutputPathFor(source));
    const JpegFrame frame = ReadJpegFrame(OutputPathFor(source));
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.height, 480);
}

TEST_F(MainWindow, PreviewLeavesAnEmptyOutputFieldEmpty) {
    const std::string source = Picture("typed.bmp", 800, 600);
    Form1->LE1->SetText(source);
    Form1->LE3->SetText("");
    Form1->Button2Click(nullptr);  // any sender but the button previews
    EXPECT_EQ(Form1->LE3->Text(), "");
}

TEST_F(MainWindow, GrayOutputHasOneComponent) {
    const std::string source = Picture("auto.bmp", 400, 300);
    Form1->CheckBox1->SetChecked(true);
    Save(source);
    const JpegFrame frame = ReadJpegFrame(OutputPathFor(source));
    EXPECT_EQ(frame.components, 1);
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.height, 480);
}

TEST_F(MainWindow, ReprocessQuestionNoWritesAndLogsNothing) {
    const std::string source = Picture("fits.bmp", 640, 480);
    answers = {IDNO};
    Save(source);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "Zpracovat znovu?");
    EXPECT_EQ(asked[0].text, kReprocessText);
    EXPECT_EQ(asked[0].flags, MB_YESNO);
    EXPECT_EQ(Form1->Memo1->LineCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(OutputPathFor(source)));
    EXPECT_EQ(Form1->Label1->Caption(), "Výška: 480");  // labels and sizes as usual
    EXPECT_EQ(Form1->Img1->Width(), 640);
}

TEST_F(MainWindow, ReprocessQuestionYesWritesAndLogs) {
    const std::string source = Picture("fits.bmp", 600, 480);
    answers = {IDYES};
    Save(source);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(Form1->Memo1->Lines(), std::vector<std::string>{"Nové rozměry: 600 x 480"});
    EXPECT_EQ(ReadJpegFrame(OutputPathFor(source)).width, 600);
}

TEST_F(MainWindow, OverwriteQuestionNoKeepsTheFileAndTheLogLine) {
    const std::string source = Picture("auto.jpg", 320, 240);
    const std::string output = OutputPathFor(source);
    std::ofstream(output) << "previous output";
    answers = {IDNO};
    Save(source);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "Nahradit?");
    EXPECT_EQ(asked[0].text, kOverwriteText);
    EXPECT_EQ(FileBytes(output), "previous output");
    EXPECT_EQ(Form1->Memo1->Lines(), std::vector<std::string>{"Nové rozměry: 640 x 480"});
    EXPECT_EQ(Form1->Image0->Width(), 160);  // the preview is redrawn all the same
    EXPECT_EQ(Form1->Img1->Picture().CurrentGraphic(), nullptr);
}

TEST_F(MainWindow, OverwriteQuestionYesReplacesTheFile) {
    const std::string source = Picture("auto.bmp", 320, 240);
    std::ofstream(OutputPathFor(source)) << "previous output";
    answers = {IDYES};
    Save(source);
    EXPECT_EQ(ReadJpegFrame(OutputPathFor(source)).width, 640);
}

TEST_F(MainWindow, AutomaticOverwriteReplacesWithoutAsking) {
    const std::string source = Picture("auto.bmp", 320, 240);
    std::ofstream(OutputPathFor(source)) << "previous output";
    Form1->CheckBox2->SetChecked(true);
    Save(source);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(ReadJpegFrame(OutputPathFor(source)).height, 480);
}

TEST_F(MainWindow, AFolderOfTheOutputsNameIsNotAnExistingFile) {
    const std::string source = Picture("auto.bmp", 320, 240);
    std::filesystem::create_directory(OutputPathFor(source));
    Form1->LE1->SetText(source);
    Form1->LE3->SetText(OutputPathFor(source));
    ClickConvert();
    // No overwrite question; writing over a folder fails and is reported.
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_NE(asked[0].text.find("Cannot create file"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(OutputPathFor(source)));
    // The log does not end on the new size as if the file had been written.
    EXPECT_EQ(Form1->Memo1->Lines(),
              (std::vector<std::string>{"Nové rozměry: 640 x 480", "Soubor nebyl uložen: " + asked[0].text}));
}

// The window draws preview and result from one streamed decode; the bytes are those of the
// picture decoded whole and then drawn.
TEST_F(MainWindow, WindowSaveWritesTheBytesOfTheDecodedPicture) {
    const std::string source = Picture("auto.jpg", 500, 300);
    Form1->LE2->SetText("300");  // quality 100
    Save(source);
    const std::string tool = folder.File("tool.jpg");
    SaveThroughTheRoad(source, tool, {false, 100}, true);
    EXPECT_EQ(FileBytes(tool), FileBytes(OutputPathFor(source)));
    EXPECT_FALSE(FileBytes(tool).empty());
}

TEST_F(MainWindow, QualityTextReachesTheEncoder) {
    const std::string source = Picture("auto.bmp", 320, 240);
    Form1->LE2->SetText("abc");  // 75
    Save(source);
    const std::string withText = FileBytes(OutputPathFor(source));
    SaveThroughTheRoad(source, folder.File("q75.jpg"), {false, 75});
    SaveThroughTheRoad(source, folder.File("q90.jpg"), {false, 90});
    EXPECT_EQ(withText, FileBytes(folder.File("q75.jpg")));
    EXPECT_NE(withText, FileBytes(folder.File("q90.jpg")));
}

TEST_F(MainWindow, TextFileCalledJpgResetsTheWindowSilently) {
    Preview(Picture("auto.bmp", 320, 240));
    const std::string text = folder.File("text.jpg");
    std::ofstream(text) << "this is not a picture\n";
    Form1->Panel1->SetCaption("");
    Form1->LE1->SetText(text);
    Form1->LE3->SetText(OutputPathFor(text));
    ClickConvert();
    EXPECT_TRUE(asked.empty());
    ExpectNoFileChosen();
    EXPECT_FALSE(std::filesystem::exists(OutputPathFor(text)));
}

TEST_F(MainWindow, UnknownExtensionResetsTheWindowSilently) {
    const std::string other = folder.File("auto.tif");
    std::ofstream(other) << "II*";
    Form1->LE1->SetText(other);
    ClickConvert();
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Form1->LE1->Text(), "");
}

TEST_F(MainWindow, DeletedSourceIsReportedAndTheWindowStaysAsItWas) {
    const std::string source = Picture("auto.bmp", 320, 240);
    Preview(source);
    std::filesystem::remove(source);
    ClickConvert();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "Cannot open file \"" + source + "\". No such file or directory.");
    EXPECT_EQ(asked[0].caption, "Lumovar");
    EXPECT_EQ(asked[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(Form1->LE1->Text(), source);
    EXPECT_EQ(Form1->LE3->Text(), OutputPathFor(source));
    EXPECT_EQ(Form1->Label1->Caption(), "Výška: 240");
    EXPECT_EQ(Form1->Image0->Width(), 160);
    EXPECT_EQ(Form1->Memo1->LineCount(), 0);
}

// A FIFO would block the reading open forever; a device would be read endlessly.
TEST_F(MainWindow, FifoOrDeviceIsReportedWithoutWaiting) {
    const std::string fifo = folder.File("fifo.jpg"), device = folder.File("zero.jpg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", device);
    for (const std::string& source : {fifo, device}) {
        asked.clear();
        Form1->LE1->SetText(source);
        ClickConvert();
        ASSERT_EQ(asked.size(), 1u) << source;
        EXPECT_EQ(asked[0].text, "Cannot open file \"" + source + "\". Not a regular file.");
    }
}

TEST_F(MainWindow, ResultWithoutRowsIsNotWrittenAndTheUserIsTold) {
    const std::string source = Picture("strip.bmp", 1300, 2);  // 640 x 0
    Preview(source);
    EXPECT_EQ(Form1->Image0->Width(), 160);
    EXPECT_EQ(Form1->Image0->Height(), 0);
    ClickConvert();
    EXPECT_FALSE(std::filesystem::exists(OutputPathFor(source)));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "Výsledný obrázek by měl rozměry 640 x 0, a proto nebyl uložen.");
    EXPECT_EQ(Form1->Memo1->Lines(),
              (std::vector<std::string>{"Nové rozměry: 640 x 0", "Soubor nebyl uložen: " + asked[0].text}));
    EXPECT_EQ(asked[0].flags, MB_OK | MB_ICONSTOP);
}

TEST_F(MainWindow, SizeLabelsKeepTheirRightEdgeAsNumbersGrow) {
    int previous = 0;
    for (const auto& [width, height] : {std::pair{8, 6}, {80, 60}, {800, 600}, {1600, 1200}}) {
        Preview(Picture("grow.bmp", width, height));
        for (TLabel* label : {Form1->Label1, Form1->Label2})
            EXPECT_EQ(label->Left() + label->Width(), 608) << label->Caption();
        EXPECT_GT(Form1->Label2->Width(), previous);
        previous = Form1->Label2->Width();
    }
}

}  // namespace
