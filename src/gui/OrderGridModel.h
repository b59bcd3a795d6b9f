#pragma once

#include "core/text/NumberFormat.h"

#include <QAbstractTableModel>

class Order;
class Prices;

// The order grid: one row per order line, renumbered at every redraw, the
// prices and sums in roubles; an empty order shows one blank row.
class OrderGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    OrderGridModel(const Order& order, const Prices& prices, const TFormatSettings& systemFormat,
                   QObject* parent = nullptr);

    static constexpr int kColumnWidths[] = {25, 80, 350, 70, 60, 70};

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void refill();

private:
    const Order& m_order;
    const Prices& m_prices;
    TFormatSettings m_format;
};
