#include "filectrl/FileListBox.h"

#include <QGuiApplication>

#include "filectrl/DisplayText.h"
#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TFileListBox, TWinControl);

namespace {
constexpr int kGlyphWidth = 16;
}

TFileListBox::TFileListBox(TComponent* owner) : TBrowserControl(owner) {
    ShowEntries({[this](int row) { return DisplayText(list_.Entry(row).text); },
                 [this](int row) {
                     EntryLayout layout;
                     if (list_.ShowGlyphs()) {
                         layout.glyph = list_.Entry(row).glyph;
                         layout.textLeft = layout.glyphLeft + kGlyphWidth + 6;
                     }
                     return layout;
                 }});
    EntryView()->OnSelect = [this](int row) { ui::Dispatch([&] { list_.Select(row); }); };
    EntryView()->SetMultiSelect(true);
    EntryView()->OnSelectRows = [this](std::vector<int> rows, int current) {
        ui::Dispatch([&] { list_.SelectRows(std::move(rows), current); });
    };
    list_.OnSelectionSetChanged = [this] {
        if (OnSelectionChange) OnSelectionChange(this);
    };
    list_.OnBusyStart = [] { QGuiApplication::setOverrideCursor(Qt::WaitCursor); };
    list_.OnBusyEnd = [] { QGuiApplication::restoreOverrideCursor(); };
}

void TFileListBox::SetShowGlyphs(bool value) {
    list_.SetShowGlyphs(value);
    FontChanged();  // the entry height's floor moved
}
