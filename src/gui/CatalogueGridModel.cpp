#include "gui/CatalogueGridModel.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <array>

CatalogueGridModel::CatalogueGridModel(const Catalogue& catalogue, const Prices& prices,
                                       const TFormatSettings& systemFormat, QObject* parent)
    : QAbstractTableModel(parent), m_catalogue(catalogue), m_prices(prices), m_format(systemFormat)
{}

int CatalogueGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(m_catalogue.count(), 1);
}

int CatalogueGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 6;
}

QVariant CatalogueGridModel::data(const QModelIndex& index, int role) const
{
    const CatalogueEntry* shown = index.isValid() ? m_catalogue.entry(index.row()) : nullptr;
    if (role != Qt::DisplayRole || !shown)
        return {};
    const CatalogueEntry& entry = *shown;
    switch (index.column()) {
    case 0:
        return QString::number(entry.Number);
    case 1:
        return FromCp1251(entry.SKU.View());
    case 2:
        return FromCp1251(entry.Name.View());
    case 3:
        return QString::fromStdString(
            FormatMoney(ExtendedProduct(entry.Price, m_prices.priceFactor()), m_format));
    case 4:
        return QString::number(entry.MinQuantity);
    case 5:
        return QString::fromStdString(FormatMoney(entry.Weight, m_format));
    default:
        return {};
    }
}

QVariant CatalogueGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const std::array<QString, 6> headers = {
        QStringLiteral("#"),    QStringLiteral("Артикул"),     QStringLiteral("Наименование"),
        QStringLiteral("Цена"), QStringLiteral("Мин. кол-во"), QStringLiteral("Вес")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 6)
        return {};
    return headers[static_cast<std::size_t>(section)];
}

void CatalogueGridModel::refill()
{
    beginResetModel();
    endResetModel();
}
