#pragma once
// A Qt list model over a browser list's entries, so a view asks only for the rows it shows.

#include <QAbstractListModel>
#include <functional>

class EntryList;

class EntryListModel : public QAbstractListModel {
public:
    EntryListModel(const EntryList& list, std::function<QString(int row)> text, QObject* parent = nullptr);

    // Called after the list replaced its entries.
    void Reset();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const EntryList& list_;
    std::function<QString(int row)> text_;
    int rows_ = 0;
};
