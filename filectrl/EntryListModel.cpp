#include "filectrl/EntryListModel.h"

#include "filectrl/EntryList.h"

EntryListModel::EntryListModel(const EntryList& list, std::function<QString(int row)> text, QObject* parent)
    : QAbstractListModel(parent), list_(list), text_(std::move(text)), rows_(list.Count()) {}

void EntryListModel::Reset() {
    beginResetModel();
    rows_ = list_.Count();
    endResetModel();
}

int EntryListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= list_.Count()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return text_(index.row());
    return {};
}
