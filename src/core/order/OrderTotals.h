#pragma once

#include "core/order/OrderItem.h"

#include <string>
#include <vector>

struct TFormatSettings;

// The three totals exactly as the order view shows them (Windows-1251):
// "1234,50 руб.", "0,29 м.куб.", "12,00 кг.".
struct OrderTotalTexts
{
    std::string Money;
    std::string Volume;
    std::string Weight;
};

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
    // metres with a fifth added for packing, the weight in kilograms, with
    // the locale's decimal separator from `format`.
    OrderTotalTexts Texts(const TFormatSettings& format) const;
};
