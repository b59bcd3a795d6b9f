#include "gui/OrderGridModel.h"

#include "core/order/OrderTotals.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <array>

int OrderGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(App().OrderItemCount, 1);
}

int OrderGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 6;
}

QVariant OrderGridModel::data(const QModelIndex& index, int role) const
{
    const AppState& app = App();
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= app.OrderItemCount)
        return {};
    const OrderItem& item = app.OrderItems[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0:
        return QString::number(index.row() + 1);
    case 1:
        return FromCp1251(item.SKU.View());
    case 2:
        return FromCp1251(item.Name.View());
    case 3:
        return QString::fromStdString(FormatMoney(ExtendedProduct(item.Price, app.PriceFactor)));
    case 4:
        return QString::number(item.Quantity);
    case 5:
        return QString::fromStdString(FormatMoney(LineSum(item, app.PriceFactor)));
    default:
        return {};
    }
}

QVariant OrderGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const std::array<QString, 6> headers = {
        QStringLiteral("#"),    QStringLiteral("Артикул"), QStringLiteral("Наименование"),
        QStringLiteral("Цена"), QStringLiteral("Кол-во"),  QStringLiteral("Сумма")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 6)
        return {};
    return headers[static_cast<std::size_t>(section)];
}

void OrderGridModel::refill()
{
    beginResetModel();
    endResetModel();
}
