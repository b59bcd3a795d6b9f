#pragma once

#include "core/order/OrderItem.h"

#include <string>
#include <vector>

// The rouble sum of one line, rounded to kopecks the way every total is.
double LineSum(const OrderItem& item, double priceFactor);

// The order's totals: each line's money, weight and volume rounded to
// hundredths first, then added up.
struct OrderTotals
{
    double Money = 0;
    double Weight = 0;
    double Volume = 0; // thousandths of a cubic metre, as the products give it

    static OrderTotals Of(const std::vector<OrderItem>& items, int32_t count, double priceFactor);

    // The texts shown under the order grid and printed on the order document
    // (Windows-1251): the money in roubles, the shipping volume in cubic
    // metres with a fifth added for packing, the weight in kilograms.
    std::string MoneyText() const;
    std::string VolumeText() const;
    std::string WeightText() const;
};
