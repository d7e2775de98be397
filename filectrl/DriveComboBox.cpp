#include "filectrl/DriveComboBox.h"

#include "filectrl/DirectoryList.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DisplayText.h"
#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TDriveComboBox, TWinControl);

namespace {
constexpr int kGlyphLeft = 2;
constexpr int kTextLeft = 22;  // 6 pixels right of the glyph
}  // namespace

TDriveComboBox::TDriveComboBox(TComponent* owner) : TBrowserControl(owner) {
    ShowEntries({[this](int row) { return DisplayText(list_.Entry(row).text); },
                 [this](int row) {
                     return EntryLayout{list_.Entry(row).glyph, kGlyphLeft, kTextLeft, true};
                 }});
    EntryView()->OnPopup = [this] { list_.Refresh(); };
    EntryView()->OnChoose = [this](int row) {
        ui::Dispatch([&] {
            try {
                list_.Choose(row);
            } catch (...) {
                EntryView()->SyncSelection(list_.ItemIndex());  // the box shows the drive still in use
                throw;
            }
        });
    };
}

TDirectoryListBox* TDriveComboBox::DirList() const {
    DirectoryList* folders = list_.DirList();
    return folders ? dynamic_cast<TDirectoryListBox*>(folders->Sender()) : nullptr;
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) { list_.SetDirList(list ? &list->Logic() : nullptr); }
