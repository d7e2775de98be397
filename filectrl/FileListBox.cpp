#include "filectrl/FileListBox.h"

#include <QGuiApplication>

#include "filectrl/DisplayText.h"
#include "filectrl/EntryListView.h"
#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TFileListBox, TWinControl);

namespace {
constexpr int kGlyphWidth = 16;
constexpr int kGlyphMinimumHeight = 16;
}  // namespace

TFileListBox::TFileListBox(TComponent* owner) : TWinControl(owner, new EntryListView), list_(this) {
    EntrySource source{[this](int row) { return DisplayText(list_.Entry(row).text); },
                       [this](int row) {
                           EntryLayout layout;
                           if (list_.ShowGlyphs()) {
                               layout.glyph = list_.Entry(row).glyph;
                               layout.textLeft = layout.glyphLeft + kGlyphWidth + 6;
                           }
                           return layout;
                       }};
    View()->Attach(list_, std::move(source), [this] { return itemHeight_; });
    View()->OnSelect = [this](int row) { ui::Dispatch([&] { list_.Select(row); }); };
    list_.OnEntriesChanged = [this] { View()->EntriesChanged(); };
    list_.OnSelectionChanged = [this] { View()->SyncSelection(list_.ItemIndex()); };
    list_.OnChange = [this](TObject* sender) {
        if (OnChange) OnChange(sender);
    };
    list_.OnBusyStart = [] { QGuiApplication::setOverrideCursor(Qt::WaitCursor); };
    list_.OnBusyEnd = [] { QGuiApplication::restoreOverrideCursor(); };
    FontChanged();
}

// The view reads the list while it goes, so it goes first.
TFileListBox::~TFileListBox() { delete Widget(); }

EntryListView* TFileListBox::View() const { return static_cast<EntryListView*>(Widget()); }

void TFileListBox::CreateWnd() { list_.CreateWindow(); }

void TFileListBox::FontChanged() {
    TWinControl::FontChanged();
    SetItemHeight(DefaultItemHeight(Widget()->font(), list_.ShowGlyphs() ? kGlyphMinimumHeight : 0));
}

void TFileListBox::SetDirectory(const std::string& path) { list_.SetDirectory(path); }
void TFileListBox::SetMask(const std::string& mask) { list_.SetMask(mask); }
void TFileListBox::SetFileType(TFileType type) { list_.SetFileType(type); }

void TFileListBox::SetShowGlyphs(bool value) {
    list_.SetShowGlyphs(value);
    FontChanged();
}

void TFileListBox::SetItemIndex(int index) { list_.Select(index); }

void TFileListBox::SetItemHeight(int value) {
    if (value <= 0) return;
    itemHeight_ = value;
    View()->ItemHeightChanged();
}
