#pragma once
// TForm1: the main window. It picks a picture through the file controls, shows its size and a
// quarter-size preview, and converts it into a JPEG beside the source ("Převeď!").

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Picture.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/LabeledEdit.h"
#include "ui/Memo.h"
#include "ui/Menu.h"
#include "ui/Panel.h"

class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;
class TFilterComboBox;
struct TConversionFacts;
struct TResultSize;
enum class TReduction;

class TForm1 : public TForm {
    OBRAZOR_CLASS_RECORD
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    TImage* Img1;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TMemo* Memo1;
    TButton* Button2;
    TLabeledEdit* LE1;
    TLabeledEdit* LE2;
    TDirectoryListBox* DirectoryListBox1;
    TDriveComboBox* DriveComboBox1;
    TFileListBox* FileListBox1;
    TFilterComboBox* FilterComboBox1;
    TCheckBox* CheckBox1;
    TPanel* Panel1;
    TImage* Image0;
    TLabeledEdit* LE3;
    TCheckBox* CheckBox2;
    TMainMenu* MainMenu1;
    TMenuItem* Konec1;
    TMenuItem* Volby1;
    TMenuItem* HladkeZmenseni1;
    TMenuItem* Oprogramu1;

    void FormCreate(TObject* Sender);
    // The conversion command: preview for any sender, save when the sender is Button2.
    void Button2Click(TObject* Sender);
    void FileListBox1Change(TObject* Sender);
    void Image0Click(TObject* Sender);
    void Label3Click(TObject* Sender);
    void Label4Click(TObject* Sender);
    void Oprogramu1Click(TObject* Sender);
    void Konec1Click(TObject* Sender);
    // The smooth reduction turned on or off; remembered for the next run.
    void HladkeZmenseni1Click(TObject* Sender);
    // Dropped picture files are selected in the lists, a dropped folder opened.
    bool CanDropFile(const std::string& path);
    void FormDropFiles(TObject* Sender, const std::vector<std::string>& paths);
    // The pictures or the folder named on the command line, opened once the window stands.
    void OpenPaths(const std::vector<std::string>& paths);
    // Opens the folder of the first path and selects the files of that folder among `paths`, as
    // the user would pick them (the type filter goes to all files when the chosen type hides
    // any). The first of them is focused and previewed.
    void SelectFiles(const std::vector<std::string>& paths);
    // Tells in the log how many files are selected, when there are several.
    void FileListBox1SelectionChange(TObject* Sender);

    // Hands a web address to the desktop's browser; the outcome is not looked at.
    void Otevrit(const std::string& address);

    // Several pictures are being converted ("Převeď!" with several selected).
    bool BatchRunning() const { return batch_ != nullptr; }
    // Workers for several pictures; 0 is one per core.
    unsigned BatchJobs = 0;

private:
    void RegisterHandlers();
    // One picture, the one named in LE1.
    void ConvertOne(TObject* Sender);
    void BindFields();
    void ResetWindow();
    bool ListingFailed(const std::exception& failure);
    void ShowSourceSize(std::int32_t height, std::int32_t width);
    TReduction ChosenReduction() const;
    std::unique_ptr<TBitmap> DrawPreview(TGraphic* graphic, const TResultSize& size, bool withWorking);
    void SaveResult(TGraphic* graphic, std::unique_ptr<TBitmap> working, std::int32_t width, std::int32_t height,
                    TConversionFacts facts);
    void WriteResult(TGraphic* graphic, std::unique_ptr<TBitmap> working);

    // Several pictures (Unit1Batch.cpp).
    struct TBatch;
    unsigned Jobs() const;
    void StartBatch(const std::vector<std::string>& selected);
    void StopBatch();
    void BatchProgress();
    void StartConverting();
    void FinishBatch();

    bool SaveRequested = false;
    bool converting_ = false;        // a conversion started by the button is running
    std::shared_ptr<TBatch> batch_;  // shared: its type is complete only in Unit1Batch.cpp
};

extern TForm1* Form1;

// Where Otevrit sends an address; tests replace it to see the address.
extern std::function<void(const std::string& address)> OpenUrlHook;

inline constexpr const char* kSiteAddress = "https://www.lumovar.example/";
inline constexpr const char* kMakerAddress = "https://www.datalesk.example/";
