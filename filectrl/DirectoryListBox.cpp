#include "filectrl/DirectoryListBox.h"

#include "filectrl/DisplayText.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/EntryListView.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FileList.h"
#include "filectrl/DriveList.h"
#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TDirectoryListBox, TWinControl);

namespace {
constexpr int kGlyphWidth = 16;
constexpr int kMinimumHeight = 16;  // the folder glyph and a pixel
}  // namespace

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TWinControl(owner, new EntryListView), list_(this) {
    EntrySource source{[this](int row) { return DisplayText(list_.DisplayText(row)); },
                       [this](int row) {
                           EntryLayout layout;
                           layout.glyph = list_.Entry(row).glyph;
                           layout.glyphLeft = list_.GlyphLeft(row);
                           layout.textLeft = layout.glyphLeft + kGlyphWidth + 4;
                           return layout;
                       }};
    View()->Attach(list_, std::move(source), [this] { return itemHeight_; });
    View()->OnSelect = [this](int row) { list_.Select(row); };
    View()->OnOpen = [this] { ui::Dispatch([this] { list_.OpenSelected(); }); };
    list_.OnEntriesChanged = [this] { View()->EntriesChanged(); };
    list_.OnSelectionChanged = [this] { View()->SyncSelection(list_.ItemIndex()); };
    list_.OnChange = [this](TObject* sender) {
        if (OnChange) OnChange(sender);
    };
    FontChanged();
}

TDirectoryListBox::~TDirectoryListBox() { delete Widget(); }

EntryListView* TDirectoryListBox::View() const { return static_cast<EntryListView*>(Widget()); }

void TDirectoryListBox::CreateWnd() { list_.CreateWindow(); }

void TDirectoryListBox::FontChanged() {
    TWinControl::FontChanged();
    SetItemHeight(DefaultItemHeight(Widget()->font(), kMinimumHeight));
}

void TDirectoryListBox::SetDirectory(const std::string& path) { list_.SetDirectory(path); }

TFileListBox* TDirectoryListBox::FileList() const {
    ::FileList* files = list_.GetFileList();
    return files ? dynamic_cast<TFileListBox*>(files->Sender()) : nullptr;
}

void TDirectoryListBox::SetFileList(TFileListBox* list) { list_.SetFileList(list ? &list->Logic() : nullptr); }

TDriveComboBox* TDirectoryListBox::DriveCombo() const {
    DriveList* drives = list_.DriveSelector();
    return drives ? dynamic_cast<TDriveComboBox*>(drives->Sender()) : nullptr;
}

void TDirectoryListBox::SetItemHeight(int value) {
    if (value <= 0) return;
    itemHeight_ = value;
    View()->ItemHeightChanged();
}
