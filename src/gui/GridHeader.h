#pragma once

#include <QHeaderView>

// The header row of the program's grids, painted as one of the grid's rows:
// the button-face colour, black text 2 pixels right of the cell's left edge
// and 2 pixels below its top, and grid lines between the cells.
class GridHeader : public QHeaderView
{
public:
    explicit GridHeader(QWidget* parent);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
