#pragma once

#include "core/text/NumberFormat.h"

#include <QAbstractTableModel>

class Catalogue;
class Prices;

// The catalogue grid: the cells are read from the catalogue when painted, so
// filling the grid is one reset whatever the catalogue's size. Prices are
// shown in roubles. An empty catalogue shows one blank row.
class CatalogueGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    CatalogueGridModel(const Catalogue& catalogue, const Prices& prices,
                       const TFormatSettings& systemFormat, QObject* parent = nullptr);

    static constexpr int kColumnWidths[] = {25, 80, 350, 70, 63, 60};

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The catalogue changed as a whole (a load or a new euro rate).
    void refill();

private:
    const Catalogue& m_catalogue;
    const Prices& m_prices;
    TFormatSettings m_format;
};
