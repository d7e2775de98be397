#pragma once
// The widget of the directory and file lists: a list view over a browser list, reporting the
// user's selection and the opening of an entry (double-click or Enter). It selects one entry,
// or, once SetMultiSelect is on, several (Ctrl and Shift with the mouse and the arrows, Ctrl+A).

#include <QListView>
#include <functional>
#include <memory>
#include <vector>

#include "filectrl/EntryPainter.h"

class EntryList;
class EntryListModel;
class EntryDelegate;

class EntryListView : public QListView {
public:
    EntryListView();
    ~EntryListView() override;

    void Attach(const EntryList& list, EntrySource source, std::function<int()> itemHeight);
    // Follow the list: new entries, a moved selection, a new entry height.
    void EntriesChanged();
    void SyncSelection(int row);
    void ItemHeightChanged();
    // Once, after Attach.
    void SetMultiSelect(bool value);

    std::function<void(int row)> OnSelect;
    // With several selectable: the selected rows in order and the row with the keyboard focus.
    std::function<void(std::vector<int> rows, int current)> OnSelectRows;
    std::function<void()> OnOpen;

    EntryPainter& Painter() { return *painter_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void SelectionChanged();
    void ShowSelectedRows();

    const EntryList* list_ = nullptr;
    std::unique_ptr<EntryPainter> painter_;
    EntryListModel* model_ = nullptr;
    EntryDelegate* delegate_ = nullptr;
    bool syncing_ = false;
    bool reporting_ = false;  // the list is being told what the user did: nothing to show back
};
