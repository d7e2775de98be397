#pragma once
// What the four browser controls share: their list, the widget that shows it, the entry
// height and the change event, the list's reports handed on with the control as sender.

#include <utility>

#include "filectrl/EntryPainter.h"
#include "ui/WinControl.h"

template <typename List, typename View>
class TBrowserControl : public TWinControl {
public:
    List& Logic() { return list_; }
    const List& Logic() const { return list_; }

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value) {
        if (value <= 0) return;
        itemHeight_ = value;
        EntryView()->ItemHeightChanged();
    }

    TNotifyEvent OnChange;

protected:
    explicit TBrowserControl(TComponent* owner) : TWinControl(owner, new View), list_(this) {
        list_.OnEntriesChanged = [this] { EntryView()->EntriesChanged(); };
        list_.OnSelectionChanged = [this] { EntryView()->SyncSelection(list_.ItemIndex()); };
        list_.OnChange = [this](TObject* sender) {
            if (OnChange) OnChange(sender);
        };
    }
    // The widget reads the list while it goes, so it goes first.
    ~TBrowserControl() override { delete Widget(); }

    View* EntryView() const { return static_cast<View*>(Widget()); }
    // Shows the entries as `source` describes them; the derived constructor calls it once.
    void ShowEntries(EntrySource source) {
        EntryView()->Attach(list_, std::move(source), [this] { return itemHeight_; });
        FontChanged();
    }
    // The entry height's floor when it follows the font (a glyph's height).
    virtual int MinimumItemHeight() const { return 0; }

    void CreateWnd() override { list_.CreateWindow(); }
    void FontChanged() override {
        TWinControl::FontChanged();
        SetItemHeight(DefaultItemHeight(Widget()->font(), MinimumItemHeight()));
    }

    List list_;

private:
    int itemHeight_ = 0;
};
