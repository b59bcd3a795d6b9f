#include "core/order/Order.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

CatalogueEntry Product(int32_t number, const char* sku, double price = 1)
{
    CatalogueEntry entry;
    entry.Number = number;
    entry.SKU.Assign(sku);
    entry.Price = price;
    return entry;
}

TEST(Order, MergesByArticleCodeWhateverTheProductsPosition)
{
    Order order;
    EXPECT_EQ(order.add(Product(1, "AB-1"), 2), Order::AddResult::Added);
    EXPECT_EQ(order.add(Product(2, "CD-2"), 3), Order::AddResult::Added);
    // After a reload or a filter "AB-1" is the second product and another
    // product holds its old number: each merges with its own line only.
    EXPECT_EQ(order.add(Product(2, "AB-1"), 5), Order::AddResult::Merged);
    EXPECT_EQ(order.add(Product(1, "EF-3"), 1), Order::AddResult::Added);
    ASSERT_EQ(order.lineCount(), 3);
    EXPECT_EQ(order.line(0)->Quantity, 7);
    EXPECT_EQ(order.line(1)->Quantity, 3);
    EXPECT_EQ(order.line(2)->SKU.Str(), "EF-3");
    EXPECT_TRUE(order.isModified());
}

TEST(Order, AMergeMayReachTheLargestQuantityButNotPassIt)
{
    constexpr int32_t kLargest = std::numeric_limits<int32_t>::max();
    Order order;
    order.add(Product(1, "AB-1"), kLargest - 5);
    EXPECT_EQ(order.add(Product(1, "AB-1"), 5), Order::AddResult::Merged);
    EXPECT_EQ(order.line(0)->Quantity, kLargest);
    EXPECT_EQ(order.add(Product(1, "AB-1"), 1), Order::AddResult::Refused);
    EXPECT_EQ(order.line(0)->Quantity, kLargest);
    EXPECT_EQ(order.lineCount(), 1);
}

TEST(Order, MoneyTotalAddsTheRoundedLineSums)
{
    // Each line is 0.004 roubles and shows as 0.00; the unrounded sum would be 0.01.
    Order order;
    for (const char* sku : {"A", "B", "C"})
        order.add(Product(1, sku, 0.004), 1);
    TFormatSettings comma;
    comma.DecimalSeparator = ',';
    EXPECT_EQ(order.totalTexts(1, comma).Money, Cp("0,00 руб."));
}

TEST(Order, ChangesDeletesAndKeepsItsSavedStateAcrossFiles)
{
    TempDir dir;
    Order order;
    order.add(Product(1, "AB-1"), 2);
    order.add(Product(2, "CD-2"), 3);
    EXPECT_TRUE(order.changeQuantity(1, 9));
    EXPECT_FALSE(order.changeQuantity(2, 9));
    EXPECT_TRUE(order.removeLine(0));
    order.save(dir.File("a.order"));
    EXPECT_FALSE(order.isModified());

    Order reopened;
    reopened.add(Product(1, "XX"), 1);
    reopened.load(dir.File("a.order"));
    EXPECT_FALSE(reopened.isModified());
    ASSERT_EQ(reopened.lineCount(), 1);
    EXPECT_EQ(reopened.line(0)->SKU.Str(), "CD-2");
    EXPECT_EQ(reopened.line(0)->Quantity, 9);

    // A file that cannot be read leaves the order as it was.
    EXPECT_ANY_THROW(reopened.load(dir.File("missing.order")));
    EXPECT_EQ(reopened.lineCount(), 1);
    reopened.removeLine(0);
    reopened.clear();
    EXPECT_TRUE(reopened.isModified()) << "emptying keeps the unsaved state";
}

} // namespace
