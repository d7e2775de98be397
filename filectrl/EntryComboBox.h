#pragma once
// The widget of the drive selector and the filter: a drop-down list, not editable, whose
// entries (in the list and in the closed box) are painted by its list's EntryPainter.

#include <QComboBox>
#include <functional>
#include <memory>

#include "filectrl/EntryPainter.h"

class EntryList;
class EntryListModel;

class EntryComboBox : public QComboBox {
public:
    EntryComboBox();
    ~EntryComboBox() override;

    void Attach(const EntryList& list, EntrySource source, std::function<int()> itemHeight);
    void EntriesChanged();
    void SyncSelection(int row);
    void ItemHeightChanged();

    // The user chose an entry; the user opens the list.
    std::function<void(int row)> OnChoose;
    std::function<void()> OnPopup;

    void showPopup() override;
    // How wide the drop-down list must be to show its longest entry whole.
    int PopupWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowWholeTextAsHint();

    const EntryList* list_ = nullptr;
    std::unique_ptr<EntryPainter> painter_;
    EntryListModel* model_ = nullptr;
};
