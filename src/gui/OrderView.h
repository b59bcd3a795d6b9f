#pragma once

#include "core/order/OrderDocument.h"

#include <QGroupBox>

class OrderGridModel;
class QLabel;
class StringGrid;

// The order group: the grid of order lines and the totals under it. The line
// the user moves to becomes App().SelectedOrderRow.
class OrderView : public QGroupBox
{
    Q_OBJECT
public:
    explicit OrderView(QWidget* parent);

    // The order in the shared state changed: the grid and the totals show it
    // afresh, the grid keeping its row where it can.
    void refill();
    // The totals as shown, for the order document (Windows-1251).
    const OrderTotalTexts& shownTotals() const { return m_shownTotals; }
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

    OrderGridModel* m_model;
    StringGrid* m_grid;
    QLabel* m_moneyTotalLabel = nullptr;
    QLabel* m_volumeTotalLabel = nullptr;
    QLabel* m_weightTotalLabel = nullptr;
    OrderTotalTexts m_shownTotals{"0", "0", "0"};
};
