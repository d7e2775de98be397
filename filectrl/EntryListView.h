#pragma once
// The widget of the directory and file lists: a single-selection list view over a browser
// list, reporting the user's selection and the opening of an entry (double-click or Enter).

#include <QListView>
#include <functional>
#include <memory>

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

    std::function<void(int row)> OnSelect;
    std::function<void()> OnOpen;

    EntryPainter& Painter() { return *painter_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void SelectionChanged();

    const EntryList* list_ = nullptr;
    std::unique_ptr<EntryPainter> painter_;
    EntryListModel* model_ = nullptr;
    EntryDelegate* delegate_ = nullptr;
    bool syncing_ = false;
};
