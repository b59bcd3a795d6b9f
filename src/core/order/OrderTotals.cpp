#include "core/order/OrderTotals.h"

#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

double LineSum(const OrderItem& item, double priceFactor)
{
    return RoundToHundredths(ExtendedProduct(item.Price, priceFactor, item.Quantity));
}

OrderTotals OrderTotals::Of(const std::vector<OrderItem>& items, int32_t count, double priceFactor)
{
    OrderTotals totals;
    for (int32_t k = 0; k < count && static_cast<std::size_t>(k) < items.size(); ++k) {
        const OrderItem& item = items[static_cast<std::size_t>(k)];
        totals.Money += LineSum(item, priceFactor);
        totals.Weight += RoundToHundredths(ExtendedProduct(item.Quantity, item.Weight));
        totals.Volume += RoundToHundredths(ExtendedProduct(item.Quantity, item.Volume));
    }
    return totals;
}

namespace {

std::string MoneyText(double money, const TFormatSettings& format)
{
    return FormatMoney(money, format) + Cp(" руб.");
}

std::string VolumeText(double volume, const TFormatSettings& format)
{
    // Piece volumes are in thousandths of a cubic metre; packing adds 20 %.
    const double cubicMetres = static_cast<double>(static_cast<long double>(volume) / 1000 * 1.2L);
    return FormatMoney(cubicMetres, format) + Cp(" м.куб.");
}

std::string WeightText(double weight, const TFormatSettings& format)
{
    return FormatMoney(weight, format) + Cp(" кг.");
}

} // namespace

OrderTotalTexts OrderTotals::Texts(const TFormatSettings& format) const
{
    return {::MoneyText(Money, format), ::VolumeText(Volume, format), ::WeightText(Weight, format)};
}
