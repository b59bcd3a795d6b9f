#pragma once

#include <QTableView>
#include <functional>
#include <vector>

// One of the main window's two grids: a table view in the program's string
// grid look over a model that reads the catalogue or the order. Grid rows are counted
// from 1 as the header is row 0; a row the user moves to or clicks is
// reported as rowChosen, once per move or click. A double click anywhere on
// the grid, the empty area below the rows included, is reported as
// doubleClicked on the current row.
class StringGrid : public QTableView
{
    Q_OBJECT
public:
    StringGrid(QAbstractItemModel* model, std::vector<int> columnWidths, QWidget* parent);

    // Paints data cells on `background`; the money and number columns right-aligned.
    void setDataBackground(QColor background);

    // Resets the model through `reset` keeping the current row; when the grid
    // became shorter, the current row moves to the new last row and is
    // reported. Column widths the user changed return to their design.
    void refill(const std::function<void()>& reset);

Q_SIGNALS:
    void rowChosen(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void applyColumnWidths();
    void reportRow(const QModelIndex& index);

    std::vector<int> m_columnWidths;
    bool m_silentSelection = false;
    bool m_pressing = false;
    bool m_rowMovedByPress = false;
    bool m_doubleClickReported = false;
};
