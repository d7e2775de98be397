#include "filectrl/FilterComboBox.h"

#include "filectrl/DisplayText.h"
#include "filectrl/FileList.h"
#include "filectrl/FileListBox.h"
#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TFilterComboBox, TWinControl);

TFilterComboBox::TFilterComboBox(TComponent* owner) : TBrowserControl(owner) {
    ShowEntries({[this](int row) { return DisplayText(list_.Entry(row).text); },
                 [](int) {
                     return EntryLayout{TGlyphKind::None, 2, 2, true};
                 }});
    EntryView()->OnChoose = [this](int row) { ui::Dispatch([&] { list_.Choose(row); }); };
}

TFileListBox* TFilterComboBox::FileList() const {
    ::FileList* files = list_.GetFileList();
    return files ? dynamic_cast<TFileListBox*>(files->Sender()) : nullptr;
}

void TFilterComboBox::SetFileList(TFileListBox* list) { list_.SetFileList(list ? &list->Logic() : nullptr); }
