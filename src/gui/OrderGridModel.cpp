#include "gui/OrderGridModel.h"

#include "core/catalogue/Prices.h"
#include "core/order/Order.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <array>

OrderGridModel::OrderGridModel(const Order& order, const Prices& prices,
                               const TFormatSettings& systemFormat, QObject* parent)
    : QAbstractTableModel(parent), m_order(order), m_prices(prices), m_format(systemFormat)
{}

int OrderGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(m_order.lineCount(), 1);
}

int OrderGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 6;
}

QVariant OrderGridModel::data(const QModelIndex& index, int role) const
{
    const OrderItem* line = index.isValid() ? m_order.line(index.row()) : nullptr;
    if (role != Qt::DisplayRole || !line)
        return {};
    const OrderItem& item = *line;
    const double priceFactor = m_prices.priceFactor();
    switch (index.column()) {
    case 0:
        return QString::number(index.row() + 1);
    case 1:
        return FromCp1251(item.SKU.View());
    case 2:
        return FromCp1251(item.Name.View());
    case 3:
        return QString::fromStdString(
            FormatMoney(ExtendedProduct(item.Price, priceFactor), m_format));
    case 4:
        return QString::number(item.Quantity);
    case 5:
        return QString::fromStdString(FormatMoney(LineSum(item, priceFactor), m_format));
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
