#include "filectrl/EntryListView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "filectrl/EntryDelegate.h"
#include "filectrl/EntryList.h"
#include "filectrl/EntryListModel.h"

EntryListView::EntryListView() {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows of one height let the view lay out tens of thousands of entries at once.
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex&) {
        if (OnOpen) OnOpen();
    });
}

EntryListView::~EntryListView() = default;

void EntryListView::Attach(const EntryList& list, EntrySource source, std::function<int()> itemHeight) {
    list_ = &list;
    painter_ = std::make_unique<EntryPainter>(std::move(source));
    model_ = new EntryListModel(list, painter_->Source().text, this);
    delegate_ = new EntryDelegate(*painter_, std::move(itemHeight), this);
    setModel(model_);
    setItemDelegate(delegate_);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { SelectionChanged(); });
}

void EntryListView::EntriesChanged() {
    const int scrolled = verticalScrollBar()->value();
    syncing_ = true;
    model_->Reset();
    syncing_ = false;
    SyncSelection(list_->ItemIndex());
    // After the selection: a new current entry scrolls itself into view.
    if (list_->KeepsViewPlace()) {
        doItemsLayout();
        verticalScrollBar()->setValue(scrolled);
    }
}

void EntryListView::SyncSelection(int row) {
    if (reporting_) return;
    syncing_ = true;
    if (selectionMode() == QAbstractItemView::ExtendedSelection) {
        ShowSelectedRows();
    } else if (row < 0) {
        selectionModel()->clearSelection();
    } else {
        const QModelIndex index = model_->index(row);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    }
    syncing_ = false;
}

void EntryListView::ShowSelectedRows() {
    QItemSelection selection;
    for (const int row : list_->SelectedRows()) selection.select(model_->index(row), model_->index(row));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int focus = list_->ItemIndex();
    if (focus < 0) return;
    selectionModel()->setCurrentIndex(model_->index(focus), QItemSelectionModel::NoUpdate);
    if (!list_->KeepsViewPlace()) scrollTo(model_->index(focus));
}

void EntryListView::SetMultiSelect(bool value) {
    setSelectionMode(value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    // The focus moves before or after the selection, depending on mouse or keyboard: both count.
    if (value) connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { SelectionChanged(); });
}

void EntryListView::ItemHeightChanged() { doItemsLayout(); }

void EntryListView::SelectionChanged() {
    if (syncing_) return;
    if (OnSelectRows && selectionMode() == QAbstractItemView::ExtendedSelection) {
        std::vector<int> rows;
        for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
        reporting_ = true;
        OnSelectRows(std::move(rows), currentIndex().row());
        reporting_ = false;
        return;
    }
    if (!OnSelect) return;
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    OnSelect(rows.isEmpty() ? -1 : rows.first().row());
}

void EntryListView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && OnOpen) {
        OnOpen();
        return;
    }
    QListView::keyPressEvent(event);
}

// An empty list shows the focus where its first entry would be.
void EntryListView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (!hasFocus() || (model_ && model_->rowCount() > 0)) return;
    QPainter painter(viewport());
    const int height = itemDelegate() ? itemDelegate()->sizeHint(QStyleOptionViewItem(), QModelIndex()).height() : 0;
    EntryPainter::PaintFocus(painter, QRect(0, 0, viewport()->width(), std::max(height, 1)), false);
}
