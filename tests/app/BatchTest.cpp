// Several pictures converted from the main window: the selection made by hand, the tool's own
// bytes, one question of each kind before the batch, failures listed in the log rather than
// boxed, a stop that leaves no half-written file, and the list read again afterwards.

#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "app/conversion/OutputPath.h"
#include "app/conversion/QualityText.h"
#include "app/conversion/PictureConversion.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "support/ListGestures.h"
#include "ui/MessageBox.h"

namespace {

constexpr const char* kReprocessCaption = "Zpracovat znovu?";
constexpr const char* kOverwriteCaption = "Nahradit?";

class Batch : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        Form1->BatchJobs = 2;
        Form1->Show();
    }
    void TearDown() override {
        Form1->Hide();
        MainWindow::TearDown();
    }

    // Lists every picture type, as a seller with phone photos would.
    void ListAllPictures() {
        for (int i = 0; i < Form1->FilterComboBox1->Count(); ++i)
            if (Form1->FilterComboBox1->Items(i).starts_with("Všechny obrázky"))
                Form1->FilterComboBox1->SetItemIndex(i);
    }
    QListView& List() { return *static_cast<QListView*>(Form1->FileListBox1->Widget()); }
    int Row(const std::string& name) {
        for (int i = 0; i < Form1->FileListBox1->Count(); ++i)
            if (Form1->FileListBox1->Items(i) == name) return i;
        return -1;
    }
    void Select(const std::vector<std::string>& names) { Form1->FileListBox1->SelectNames(names); }

    // Events are handled until the batch has ended (at most a minute).
    void WaitForTheBatch() {
        const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (Form1->BatchRunning() && std::chrono::steady_clock::now() < end)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_FALSE(Form1->BatchRunning());
    }
    void ConvertSelected() {
        ClickConvert();
        WaitForTheBatch();
    }
    // The log from the first line that names a picture of the batch.
    std::vector<std::string> BatchLog() {
        std::vector<std::string> lines = Form1->Memo1->Lines();
        const auto first = std::find_if(lines.begin(), lines.end(),
                                        [](const std::string& line) { return !line.starts_with("Vybráno"); });
        return {first, lines.end()};
    }
    // What the command-line tool writes for the same source and settings, made on a copy.
    std::string ToolBytes(const std::string& source, bool reprocess = true) {
        std::filesystem::create_directories(folder.Path() / "tool");
        const std::string copy = (folder.Path() / "tool" / std::filesystem::path(source).filename()).string();
        std::filesystem::copy_file(source, copy, std::filesystem::copy_options::overwrite_existing);
        ConversionSettings settings;
        settings.output = {Form1->CheckBox1->Checked(), QualityFromText(Form1->LE2->Text()),
                           Form1->HladkeZmenseni1->Checked() ? TReduction::Smooth : TReduction::Exact};
        settings.reprocess = reprocess;
        settings.overwrite = true;
        const FileOutcome outcome = ConvertPicture(copy, settings);
        EXPECT_EQ(outcome.kind, OutcomeKind::Converted) << outcome.message;
        return FileBytes(outcome.output);
    }
};

// With the exact and with the smooth reduction.
class BatchParity : public Batch, public testing::WithParamInterface<bool> {};

TEST_P(BatchParity, ConvertsThreeOfFiveByHandAsTheToolDoesAndListsTheOutputs) {
    for (const char* name : {"a.jpg", "b.jpg", "c.bmp", "d.jpg", "e.bmp"}) Picture(name, 1000, 700);
    Form1->HladkeZmenseni1->SetChecked(GetParam());
    ListAllPictures();
    Form1->LE2->SetText("60");
    gestures::Click(List(), Row("b.jpg"));
    gestures::Click(List(), Row("c.bmp"), Qt::ShiftModifier);
    gestures::Click(List(), Row("e.bmp"), Qt::ControlModifier);
    ASSERT_EQ(Form1->FileListBox1->SelectedCount(), 3);
    EXPECT_EQ(Form1->LE1->Text(), folder.File("e.bmp"));  // the focused picture is previewed
    EXPECT_EQ(Form1->LE3->Text(), folder.File("e.LMV.jpg"));
    EXPECT_EQ(Form1->Memo1->Lines(), std::vector<std::string>{"Vybráno souborů: 3"});  // one line, updated
    const int top = List().verticalScrollBar()->value();
    ConvertSelected();
    EXPECT_TRUE(asked.empty());
    for (const char* name : {"b.jpg", "c.bmp", "e.bmp"}) {
        const std::string output = OutputPathFor(folder.File(name));
        ASSERT_FALSE(FileBytes(output).empty()) << name;
        EXPECT_EQ(FileBytes(output), ToolBytes(folder.File(name))) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("a.LMV.jpg")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("d.LMV.jpg")));
    EXPECT_EQ(BatchLog(),
              (std::vector<std::string>{"b.jpg: Nové rozměry: 640 x 448", "c.bmp: Nové rozměry: 640 x 448",
                                        "e.bmp: Nové rozměry: 640 x 448", "Převedeno 3, přeskočeno 0, chyba 0"}));
    // The list was read again: the outputs are there, the selection and the place are kept.
    EXPECT_GE(Row("b.LMV.jpg"), 0);
    EXPECT_EQ(Form1->FileListBox1->SelectedFiles(),
              (std::vector<std::string>{folder.File("b.jpg"), folder.File("c.bmp"), folder.File("e.bmp")}));
    EXPECT_EQ(Form1->LE1->Text(), folder.File("e.bmp"));
    EXPECT_EQ(List().verticalScrollBar()->value(), top);
    EXPECT_EQ(Form1->Button2->Caption(), "Převeď!");
}

INSTANTIATE_TEST_SUITE_P(Reductions, BatchParity, testing::Values(false, true));

TEST_F(MainWindow, OnePictureSavedShowsInTheListAtOnce) {
    Picture("auto.bmp", 320, 240);
    Form1->Show();
    Form1->FilterComboBox1->SetItemIndex(2);  // "Fotografie BMP (*.bmp)"
    Form1->FileListBox1->SelectNames({"auto.bmp"});
    Form1->FilterComboBox1->SetItemIndex(0);
    Form1->FileListBox1->SelectNames({});
    Save(folder.File("auto.bmp"));
    EXPECT_EQ(Form1->FileListBox1->Count(), 1);  // auto.LMV.jpg, under the JPEG filter
    Form1->Hide();
}

// a needs work and has an old output; b and c already fit (480 high), b has an old output.
struct QuestionCase {
    const char* name;
    bool replaceWithoutAsking;
    std::vector<int> answers;
    std::vector<std::pair<std::string, std::string>> asked;  // text, caption
    std::vector<const char*> replaced;                       // outputs now new
    const char* summary;
};

class BatchQuestions : public Batch, public testing::WithParamInterface<QuestionCase> {};

TEST_P(BatchQuestions, OneQuestionOfEachKindBeforeTheBatch) {
    const QuestionCase& c = GetParam();
    Picture("a.bmp", 800, 600);
    Picture("b.bmp", 640, 480);
    Picture("c.bmp", 320, 480);
    for (const char* old : {"a.LMV.jpg", "b.LMV.jpg"}) std::ofstream(folder.File(old)) << "old";
    ListAllPictures();
    Select({"a.bmp", "b.bmp", "c.bmp"});
    Form1->CheckBox2->SetChecked(c.replaceWithoutAsking);
    answers.assign(c.answers.begin(), c.answers.end());
    ConvertSelected();
    std::vector<std::pair<std::string, std::string>> seen;
    for (const AskedBox& box : asked) seen.emplace_back(box.text, box.caption);
    EXPECT_EQ(seen, c.asked);
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
        const std::string output = OutputPathFor(folder.File(name));
        const bool replaced = std::find_if(c.replaced.begin(), c.replaced.end(),
                                           [&](const char* r) { return std::string(r) == name; }) != c.replaced.end();
        if (replaced) EXPECT_EQ(FileBytes(output), ToolBytes(folder.File(name))) << name;
        else if (std::string(name) == "c.bmp") EXPECT_FALSE(std::filesystem::exists(output));
        else EXPECT_EQ(FileBytes(output), "old") << name;
    }
    EXPECT_EQ(BatchLog().back(), c.summary);
}

const std::pair<std::string, std::string> kTwoFit{"2 obrázků už má povolenou velikost. Převést je i tak?",
                                                  kReprocessCaption};

INSTANTIATE_TEST_SUITE_P(
    Answers, BatchQuestions,
    testing::Values(
        QuestionCase{"NoAndNo",
                     false,
                     {IDNO, IDNO},
                     {kTwoFit, {"Nahradit existující soubory (1)?", kOverwriteCaption}},
                     {},
                     "Převedeno 0, přeskočeno 3, chyba 0"},
        QuestionCase{"YesAndYes",
                     false,
                     {IDYES, IDYES},
                     {kTwoFit, {"Nahradit existující soubory (2)?", kOverwriteCaption}},
                     {"a.bmp", "b.bmp", "c.bmp"},
                     "Převedeno 3, přeskočeno 0, chyba 0"},
        QuestionCase{"YesAndNo",
                     false,
                     {IDYES, IDNO},
                     {kTwoFit, {"Nahradit existující soubory (2)?", kOverwriteCaption}},
                     {"c.bmp"},
                     "Převedeno 1, přeskočeno 2, chyba 0"},
        QuestionCase{
            "CheckBoxReplacesWithoutAsking", true, {IDNO}, {kTwoFit}, {"a.bmp"}, "Převedeno 1, přeskočeno 2, chyba 0"}),
    [](const auto& test) { return std::string(test.param.name); });

// A second frame header before the end: the decoder fails only after the rows.
void DamageAfterTheHeader(const std::string& path) {
    std::string bytes = FileBytes(path);
    const auto byte = [&](std::size_t i) { return std::size_t(std::uint8_t(bytes[i])); };
    std::size_t sof = 2;
    while (sof + 4 < bytes.size() && byte(sof + 1) != 0xC0) sof += 2 + (byte(sof + 2) << 8 | byte(sof + 3));
    ASSERT_LT(sof + 4, bytes.size());
    const std::string frame = bytes.substr(sof, 2 + (byte(sof + 2) << 8 | byte(sof + 3)));
    bytes.insert(bytes.size() - 2, frame);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Files that cannot be converted do not stop the batch and raise no box: each is one line.
struct ListedFile {
    const char* name;
    enum { Photo, DamagedPhoto, NotAPicture, EarlierOutput } content;
    const char* logStart;
};

TEST_F(Batch, FailuresAreListedAndTheRestConverts) {
    const std::vector<ListedFile> files = {
        {"a.jpg", ListedFile::Photo, "a.jpg: Nové rozměry: 640 x 480"},
        {"b.jpg", ListedFile::DamagedPhoto, "b.jpg: chyba: JPEG error"},  // the header reads, the rows fail
        {"c.bmp", ListedFile::NotAPicture, "c.bmp: chyba: "},
        {"d.LMV.jpg", ListedFile::EarlierOutput, "d.LMV.jpg: přeskočeno, je to už převedený soubor"},
        {"e.jpg", ListedFile::Photo, "e.jpg: Nové rozměry: 640 x 480"},
    };
    std::vector<std::string> names;
    for (const ListedFile& file : files) {
        names.push_back(file.name);
        if (file.content == ListedFile::NotAPicture) {
            std::ofstream(folder.File(file.name)) << "not a bitmap at all";
            continue;
        }
        Picture(file.name, 320, 240);
        if (file.content == ListedFile::DamagedPhoto) DamageAfterTheHeader(folder.File(file.name));
    }
    ListAllPictures();
    Select(names);
    ConvertSelected();
    EXPECT_TRUE(asked.empty());
    const std::vector<std::string> log = BatchLog();
    ASSERT_EQ(log.size(), files.size() + 1);
    for (std::size_t i = 0; i < files.size(); ++i) EXPECT_TRUE(log[i].starts_with(files[i].logStart)) << log[i];
    EXPECT_EQ(log.back(), "Převedeno 2, přeskočeno 1, chyba 2");
    EXPECT_FALSE(std::filesystem::exists(folder.File("d.LMV.LMV.jpg")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("c.LMV.jpg")));
}

// A stop lets the pictures in progress finish; the rest are not started. Every output is then
// whole or absent, and an old output of a picture not reached is untouched.
class BatchStop : public Batch, public testing::WithParamInterface<const char*> {};

TEST_P(BatchStop, LeavesEveryOutputWholeOrAbsent) {
    Form1->BatchJobs = 1;
    std::vector<std::string> names;
    for (int i = 0; i < 8; ++i) names.push_back("p" + std::to_string(i) + ".bmp");
    for (const std::string& name : names) Picture(name, 1600, 1200);
    std::ofstream(folder.File("p7.LMV.jpg")) << "old";
    Form1->CheckBox2->SetChecked(true);
    ListAllPictures();
    Select(names);
    ClickConvert();
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (BatchLog().empty() && std::chrono::steady_clock::now() < end)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    if (std::string(GetParam()) == "Escape") gestures::Key(List(), Qt::Key_Escape);
    else ClickConvert();
    WaitForTheBatch();
    int absent = 0;
    for (const std::string& name : names) {
        const std::string output = OutputPathFor(folder.File(name));
        if (name == "p7.bmp" && FileBytes(output) == "old") continue;
        if (!std::filesystem::exists(output)) ++absent;
        else EXPECT_EQ(FileBytes(output), ToolBytes(folder.File(name))) << name;
    }
    EXPECT_EQ(FileBytes(folder.File("p7.LMV.jpg")), "old");
    EXPECT_GE(absent, 1);
    const std::vector<std::string> log = BatchLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.back(), "Zastaveno, nezpracováno: " + std::to_string(absent + 1));
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".obrazor-")) << entry.path();  // no leftovers
    EXPECT_EQ(Form1->Button2->Caption(), "Převeď!");
}

INSTANTIATE_TEST_SUITE_P(Ways, BatchStop, testing::Values("Escape", "SecondPress"));

}  // namespace
