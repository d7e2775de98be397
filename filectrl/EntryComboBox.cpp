#include "filectrl/EntryComboBox.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <algorithm>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "filectrl/EntryDelegate.h"
#include "filectrl/EntryList.h"
#include "filectrl/EntryListModel.h"

EntryComboBox::EntryComboBox() {
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int row) {
        if (OnChoose) OnChoose(row);
    });
}

EntryComboBox::~EntryComboBox() = default;

void EntryComboBox::Attach(const EntryList& list, EntrySource source, std::function<int()> itemHeight) {
    list_ = &list;
    painter_ = std::make_unique<EntryPainter>(std::move(source));
    model_ = new EntryListModel(list, painter_->Source().text, this);
    setModel(model_);
    setItemDelegate(new EntryDelegate(*painter_, std::move(itemHeight), this));
}

void EntryComboBox::EntriesChanged() {
    model_->Reset();
    SyncSelection(list_->ItemIndex());
}

void EntryComboBox::SyncSelection(int row) {
    if (currentIndex() != row) setCurrentIndex(row);
    ShowWholeTextAsHint();
    update();
}

// The closed box keeps its size and may cut its text; the hint shows all of it.
void EntryComboBox::ShowWholeTextAsHint() {
    const int row = currentIndex();
    setToolTip(list_ && row >= 0 && row < list_->Count() ? painter_->Source().text(row) : QString());
}

int EntryComboBox::PopupWidth() const {
    if (!list_) return width();
    const QFontMetrics metrics(view()->font());
    int widest = 0;
    for (int row = 0; row < list_->Count(); ++row) {
        const EntryLayout layout = painter_->Source().layout(row);
        widest = std::max(widest, layout.textLeft + metrics.horizontalAdvance(painter_->Source().text(row)));
    }
    // The list's frame, a little air after the text, and the scroll bar when there is one.
    const int frame = 2 * view()->frameWidth() + 2 * metrics.averageCharWidth();
    const int scrollBar = count() > maxVisibleItems() ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    return std::max(width(), widest + frame + scrollBar);
}

void EntryComboBox::ItemHeightChanged() {
    view()->doItemsLayout();
    update();
}

void EntryComboBox::showPopup() {
    if (OnPopup) OnPopup();
    view()->setMinimumWidth(PopupWidth());
    QComboBox::showPopup();
}

// The closed box shows the chosen entry as the list paints it, glyph included.
void EntryComboBox::paintEvent(QPaintEvent*) {
    if (!painter_) return;
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const bool selected = hasFocus() && !view()->isVisible();
    painter_->Paint(painter, field, list_ && currentIndex() < list_->Count() ? currentIndex() : -1, selected, font());
}
