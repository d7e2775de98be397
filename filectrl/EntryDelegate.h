#pragma once
// The item delegate of the browser lists: every entry painted by its list's EntryPainter at
// the list's entry height.

#include <QStyledItemDelegate>
#include <functional>

class EntryPainter;

class EntryDelegate : public QStyledItemDelegate {
public:
    EntryDelegate(EntryPainter& painter, std::function<int()> itemHeight, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    EntryPainter& painter_;
    std::function<int()> itemHeight_;
};
