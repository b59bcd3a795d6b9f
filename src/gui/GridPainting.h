#pragma once

#include <QStyledItemDelegate>
#include <set>

class QTableView;

// The cell painting of the program's two grids: black text on the cell's
// background; in the selected row the current cell is light orange while
// the grid is its window's active control and every other cell grey. Text sits 2 pixels below
// the cell's top, left-aligned 2 pixels in, or for the numeric columns
// right-aligned 2 pixels from the right edge.
class GridCellDelegate : public QStyledItemDelegate
{
public:
    GridCellDelegate(QTableView* grid, QColor dataBackground, std::set<int> rightAlignedColumns);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    static QColor currentCellColour() { return {248, 176, 105}; }
    static QColor selectedRowColour() { return {177, 177, 177}; }

private:
    QTableView* m_grid;
    QColor m_dataBackground;
    std::set<int> m_rightAligned;
};

// Makes a grid a plain string grid: whole-row selection of one row, no
// editing, rows 24 pixels high, left-aligned header, user-resizable columns.
void SetUpStringGrid(QTableView* grid);
