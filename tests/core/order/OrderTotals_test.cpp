#include "core/order/OrderTotals.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

OrderItem Line(double price, int32_t quantity, double volume = 0, double weight = 0)
{
    OrderItem item;
    item.Price = price;
    item.Quantity = quantity;
    item.Volume = volume;
    item.Weight = weight;
    return item;
}

class OrderTotalsTest : public ::testing::TestWithParam<char>
{
protected:
    OrderTotalTexts Texts(const OrderTotals& totals) const
    {
        TFormatSettings format;
        format.DecimalSeparator = GetParam();
        return totals.Texts(format);
    }
    std::string Text(std::string utf8) const
    {
        for (char& c : utf8)
            if (c == '.' && &c != &utf8.back())
                c = GetParam();
        return Cp(utf8);
    }
};

TEST_P(OrderTotalsTest, EmptyOrderShowsZeros)
{
    const OrderTotals totals = OrderTotals::Of({}, 0, 90);
    EXPECT_EQ(Texts(totals).Money, Text("0.00 руб."));
    EXPECT_EQ(Texts(totals).Volume, Cp(std::string("0") + GetParam() + "00 м.куб."));
    EXPECT_EQ(Texts(totals).Weight, Text("0.00 кг."));
}

TEST_P(OrderTotalsTest, LinesAreRoundedBeforeTheyAreAdded)
{
    // 100 x 2.4 + 5 x 0.75 = 243.75 thousandths, plus a fifth for packing.
    const std::vector<OrderItem> volumes = {Line(0, 100, 2.4), Line(0, 5, 0.75)};
    EXPECT_DOUBLE_EQ(OrderTotals::Of(volumes, 2, 0).Volume, 243.75);
    EXPECT_EQ(Texts(OrderTotals::Of(volumes, 2, 0)).Volume,
              Cp(std::string("0") + GetParam() + "29 м.куб."));

    // 0.125 kg rounds down to 0.12; three of them (0.375) to 0.37.
    const std::vector<OrderItem> weights = {Line(0, 1, 0, 0.125), Line(0, 3, 0, 0.125)};
    EXPECT_DOUBLE_EQ(OrderTotals::Of(weights, 1, 0).Weight, 0.12);
    EXPECT_DOUBLE_EQ(OrderTotals::Of(weights, 2, 0).Weight, 0.49);
    EXPECT_EQ(Texts(OrderTotals::Of(weights, 2, 0)).Weight, Text("0.49 кг."));

    // 1.25 euros at 80.802 for 3 pieces is 303.0075 roubles: 303.01.
    const std::vector<OrderItem> money = {Line(1.25, 3), Line(2.5, 2)};
    EXPECT_DOUBLE_EQ(LineSum(money[0], 80.802), 303.01);
    EXPECT_EQ(Texts(OrderTotals::Of(money, 2, 80.802)).Money, Text("707.02 руб."));
}

TEST_P(OrderTotalsTest, OnlyTheCountedLinesBelongToTheOrder)
{
    const std::vector<OrderItem> items = {Line(1, 1), Line(1000, 1)};
    EXPECT_DOUBLE_EQ(OrderTotals::Of(items, 1, 2).Money, 2);
}

INSTANTIATE_TEST_SUITE_P(DotAndComma, OrderTotalsTest, ::testing::Values('.', ','));

} // namespace
