#include "gui/GridHeader.h"

#include <QPainter>
#include <QStyleOption>

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    painter->save();
    painter->fillRect(rect, palette().color(QPalette::Button));

    // The same lines as the table draws between its data cells.
    QStyleOption option;
    option.initFrom(this);
    const auto gridHint = style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this);
    painter->setPen(QColor::fromRgba(static_cast<QRgb>(gridHint)));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());

    const QString text = model()->headerData(logicalIndex, orientation()).toString();
    painter->setClipRect(rect);
    painter->setPen(Qt::black);
    painter->setFont(font());
    painter->drawText(rect.adjusted(2, 2, -2, 0),
                      static_cast<int>(Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine), text);
    painter->restore();
}
