#pragma once

#include <QAbstractTableModel>

// The order grid over OrderItems: one row per line, renumbered at every
// redraw; an empty order shows one blank row.
class OrderGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    static constexpr int kColumnWidths[] = {25, 80, 350, 70, 60, 70};

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void refill();
};
