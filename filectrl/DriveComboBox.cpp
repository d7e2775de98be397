#include "filectrl/DriveComboBox.h"

#include "filectrl/DirectoryList.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DisplayText.h"
#include "filectrl/EntryComboBox.h"
#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TDriveComboBox, TWinControl);

namespace {
constexpr int kMinimumHeight = 11;  // the drive glyph
constexpr int kTextLeft = 22;       // 6 pixels right of the glyph
}  // namespace

TDriveComboBox::TDriveComboBox(TComponent* owner) : TWinControl(owner, new EntryComboBox), list_(this) {
    EntrySource source{[this](int row) { return DisplayText(list_.Entry(row).text); },
                       [this](int row) {
                           return EntryLayout{list_.Entry(row).glyph, 2, kTextLeft, true};
                       }};
    Combo()->Attach(list_, std::move(source), [this] { return itemHeight_; });
    Combo()->OnChoose = [this](int row) {
        ui::Dispatch([&] {
            try {
                list_.Choose(row);
            } catch (...) {
                Combo()->SyncSelection(list_.ItemIndex());
                throw;
            }
        });
    };
    list_.OnEntriesChanged = [this] { Combo()->EntriesChanged(); };
    list_.OnSelectionChanged = [this] { Combo()->SyncSelection(list_.ItemIndex()); };
    list_.OnChange = [this](TObject* sender) {
        if (OnChange) OnChange(sender);
    };
    FontChanged();
}

TDriveComboBox::~TDriveComboBox() { delete Widget(); }

EntryComboBox* TDriveComboBox::Combo() const { return static_cast<EntryComboBox*>(Widget()); }

void TDriveComboBox::CreateWnd() { list_.CreateWindow(); }

void TDriveComboBox::FontChanged() {
    TWinControl::FontChanged();
    SetItemHeight(DefaultItemHeight(Widget()->font(), kMinimumHeight));
}

void TDriveComboBox::SetDrive(const std::string& drive) { list_.SetDrive(drive); }

TDirectoryListBox* TDriveComboBox::DirList() const {
    DirectoryList* folders = list_.DirList();
    return folders ? dynamic_cast<TDirectoryListBox*>(folders->Sender()) : nullptr;
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) { list_.SetDirList(list ? &list->Logic() : nullptr); }

void TDriveComboBox::SetItemHeight(int value) {
    if (value <= 0) return;
    itemHeight_ = value;
    Combo()->update();
}
