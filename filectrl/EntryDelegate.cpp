#include "filectrl/EntryDelegate.h"

#include "filectrl/EntryPainter.h"

EntryDelegate::EntryDelegate(EntryPainter& painter, std::function<int()> itemHeight, QObject* parent)
    : QStyledItemDelegate(parent), painter_(painter), itemHeight_(std::move(itemHeight)) {}

void EntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    painter_.Paint(*painter, option.rect, index.row(), selected, option.font);
    if (option.state & QStyle::State_HasFocus) EntryPainter::PaintFocus(*painter, option.rect, selected);
}

QSize EntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), itemHeight_()};
}
