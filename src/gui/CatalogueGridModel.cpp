#include "gui/CatalogueGridModel.h"

#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <array>

int CatalogueGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(App().CatalogueCount, 1);
}

int CatalogueGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 6;
}

QVariant CatalogueGridModel::data(const QModelIndex& index, int role) const
{
    const AppState& app = App();
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= app.CatalogueCount)
        return {};
    const CatalogueEntry& entry = app.CatalogueEntries[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0:
        return QString::number(entry.Number);
    case 1:
        return FromCp1251(entry.SKU.View());
    case 2:
        return FromCp1251(entry.Name.View());
    case 3:
        return QString::fromStdString(FormatMoney(ExtendedProduct(entry.Price, app.PriceFactor)));
    case 4:
        return QString::number(entry.MinQuantity);
    case 5:
        return QString::fromStdString(FormatMoney(entry.Weight));
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
