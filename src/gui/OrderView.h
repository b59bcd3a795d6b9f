#pragma once

#include "core/text/NumberFormat.h"

#include <QGroupBox>

class Order;
class OrderGridModel;
class Prices;
class QLabel;
class StringGrid;

// The order group: the grid of order lines and the totals under it. The view
// keeps the line the user moved to as its selected row.
class OrderView : public QGroupBox
{
    Q_OBJECT
public:
    OrderView(const Order& order, const Prices& prices, const TFormatSettings& systemFormat,
              QWidget* parent);

    // The order or its prices changed: the grid and the totals show it
    // afresh, the grid keeping its row where it can.
    void refill();
    // The grid row of the line the user chose (row n is the order's line
    // n - 1); 0 before the first choice.
    int selectedRow() const { return m_selectedRow; }
    // Moves to the order's line `index` (0-based) and reports it as chosen;
    // nothing when there is no such line.
    void showLine(int index);
    void focusGrid();
    bool isGridFocused() const;

Q_SIGNALS:
    void lineSelected();
    void changeLineRequested();
    void deleteLineRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTotals();
    void selectRow(int row);

    const Order& m_order;
    const Prices& m_prices;
    TFormatSettings m_format;
    OrderGridModel* m_model;
    StringGrid* m_grid;
    QLabel* m_moneyTotalLabel = nullptr;
    QLabel* m_volumeTotalLabel = nullptr;
    QLabel* m_weightTotalLabel = nullptr;
    int m_selectedRow = 0;
};
