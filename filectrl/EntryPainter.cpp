#include "filectrl/EntryPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "ui/Control.h"

void EntryPainter::Paint(QPainter& painter, const QRect& rect, int row, bool selected, const QFont& font) {
    const TColor background = selected ? clHighlight : clWindow;
    painter.fillRect(rect, ToQColor(background));
    if (row < 0) return;
    const EntryLayout layout = source_.layout(row);
    const QImage& glyph = glyphs_.Glyph(layout.glyph, background);
    if (!glyph.isNull())
        painter.drawImage(rect.left() + layout.glyphLeft, rect.top() + (rect.height() - glyph.height()) / 2, glyph);
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(font);
    painter.setPen(ToQColor(selected ? clHighlightText : clWindowText));
    const QRect textRect = rect.adjusted(layout.textLeft, 0, 0, 0);
    const int vertical = layout.textCentred ? Qt::AlignVCenter : Qt::AlignTop;
    painter.drawText(textRect, Qt::AlignLeft | vertical | Qt::TextSingleLine, source_.text(row));
    painter.restore();
}

void EntryPainter::PaintFocus(QPainter& painter, const QRect& rect, bool selected) {
    painter.save();
    painter.setPen(QPen(ToQColor(selected ? clHighlightText : clWindowText), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

int DefaultItemHeight(const QFont& font, int minimum) { return std::max(QFontMetrics(font).height(), minimum); }
