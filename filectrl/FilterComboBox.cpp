#include "filectrl/FilterComboBox.h"

#include "filectrl/DisplayText.h"
#include "filectrl/EntryComboBox.h"
#include "filectrl/FileList.h"
#include "filectrl/FileListBox.h"
#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TFilterComboBox, TWinControl);

TFilterComboBox::TFilterComboBox(TComponent* owner) : TWinControl(owner, new EntryComboBox), list_(this) {
    EntrySource source{[this](int row) { return DisplayText(list_.Entry(row).text); },
                       [](int) { return EntryLayout{TGlyphKind::None, 2, 2, true}; }};
    Combo()->Attach(list_, std::move(source), [this] { return itemHeight_; });
    Combo()->OnChoose = [this](int row) { ui::Dispatch([&] { list_.Choose(row); }); };
    list_.OnEntriesChanged = [this] { Combo()->EntriesChanged(); };
    list_.OnSelectionChanged = [this] { Combo()->SyncSelection(list_.ItemIndex()); };
    list_.OnChange = [this](TObject* sender) {
        if (OnChange) OnChange(sender);
    };
    FontChanged();
}

TFilterComboBox::~TFilterComboBox() { delete Widget(); }

EntryComboBox* TFilterComboBox::Combo() const { return static_cast<EntryComboBox*>(Widget()); }

void TFilterComboBox::CreateWnd() { list_.CreateWindow(); }

void TFilterComboBox::FontChanged() {
    TWinControl::FontChanged();
    SetItemHeight(DefaultItemHeight(Widget()->font(), 0));
}

void TFilterComboBox::SetFilter(const std::string& filter) { list_.SetFilter(filter); }

void TFilterComboBox::SetItemIndex(int index) { list_.Choose(index); }

TFileListBox* TFilterComboBox::FileList() const {
    ::FileList* files = list_.GetFileList();
    return files ? dynamic_cast<TFileListBox*>(files->Sender()) : nullptr;
}

void TFilterComboBox::SetFileList(TFileListBox* list) { list_.SetFileList(list ? &list->Logic() : nullptr); }

void TFilterComboBox::SetItemHeight(int value) {
    if (value <= 0) return;
    itemHeight_ = value;
    Combo()->update();
}
