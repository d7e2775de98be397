#include "filectrl/DirectoryListBox.h"

#include "filectrl/DisplayText.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/DriveList.h"
#include "filectrl/FileList.h"
#include "filectrl/FileListBox.h"
#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TDirectoryListBox, TWinControl);

namespace {
constexpr int kGlyphWidth = 16;
}

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TBrowserControl(owner) {
    ShowEntries({[this](int row) { return DisplayText(list_.DisplayText(row)); },
                 [this](int row) {
                     EntryLayout layout;
                     layout.glyph = list_.Entry(row).glyph;
                     layout.glyphLeft = list_.GlyphLeft(row);
                     layout.textLeft = layout.glyphLeft + kGlyphWidth + 4;
                     return layout;
                 }});
    EntryView()->OnSelect = [this](int row) { list_.Select(row); };
    EntryView()->OnOpen = [this] { ui::Dispatch([this] { list_.OpenSelected(); }); };
}

TFileListBox* TDirectoryListBox::FileList() const {
    ::FileList* files = list_.GetFileList();
    return files ? dynamic_cast<TFileListBox*>(files->Sender()) : nullptr;
}

void TDirectoryListBox::SetFileList(TFileListBox* list) { list_.SetFileList(list ? &list->Logic() : nullptr); }

TDriveComboBox* TDirectoryListBox::DriveCombo() const {
    DriveList* drives = list_.DriveSelector();
    return drives ? dynamic_cast<TDriveComboBox*>(drives->Sender()) : nullptr;
}
