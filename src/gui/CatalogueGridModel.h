#pragma once

#include <QAbstractTableModel>

// The catalogue grid over CatalogueEntries: the cells are read from the
// shared array when painted, so filling the grid is one reset whatever the
// catalogue's size. An empty catalogue shows one blank row.
class CatalogueGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    static constexpr int kColumnWidths[] = {25, 80, 350, 70, 63, 60};

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The catalogue changed as a whole (a load or a new euro rate).
    void refill();
};
