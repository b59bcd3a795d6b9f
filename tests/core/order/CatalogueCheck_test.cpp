#include "core/catalogue/ArticleCodeIndex.h"
#include "core/order/CatalogueCheck.h"
#include "core/order/OrderHistory.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

CatalogueEntry Product(const char* sku, double price = 2, int32_t minimum = 1)
{
    CatalogueEntry entry;
    entry.SKU.Assign(sku);
    entry.Name.Assign(Cp("Ваза"));
    entry.Price = price;
    entry.MinQuantity = minimum;
    entry.Packing = 6;
    entry.Volume = 2.4;
    entry.Weight = 0.5;
    entry.Image.Assign("a.jpg");
    return entry;
}

// "field: before -> after" items of a difference, in UTF-8.
std::string Describe(const LineDifference& difference)
{
    if (difference.missing)
        return difference.sku + ": " + kNotInCatalogue;
    std::string text = difference.sku + ":";
    for (const FieldChange& change : difference.changes)
        text += std::string(" ") + CatalogueFieldCaption(change.field) + " " +
                Cp1251ToUtf8(change.before) + " -> " + Cp1251ToUtf8(change.after) + ";";
    if (difference.belowMinimum)
        text += " below " + std::to_string(difference.newMinimum);
    return text;
}

TEST(CatalogueCheck, ListsEachChangedLineWithItsOldAndNewValues)
{
    CatalogueEntry renamed = Product("NAME");
    renamed.Name.Assign(Cp("Ваза синяя"));
    CatalogueEntry measured = Product("SIZE");
    measured.Packing = 12;
    measured.Volume = 3;
    measured.Weight = 0.75;
    CatalogueEntry pictured = Product("PIC");
    pictured.Image.Assign("b.jpg"); // not a value the order is priced or shipped by
    const ArticleCodeIndex catalogue({Product("SAME"), Product("PRICE", 2.5), renamed, measured,
                                      Product("MIN", 2, 10), Product("ab-1"), pictured});

    Order order;
    for (const char* sku : {"SAME", "PRICE", "NAME", "SIZE", "MIN", "GONE", "AB-1", "PIC"})
        order.add(Product(sku), 4);
    const TFormatSettings format{',', '.', ':', "DMY"};
    std::vector<std::string> described;
    for (const LineDifference& difference :
         CompareWithCatalogue(order.lines(), catalogue, 80, format))
        described.push_back(std::to_string(difference.line) + " " + Describe(difference));

    EXPECT_EQ(described, (std::vector<std::string>{
                             "1 PRICE: Цена, руб. 160,00 -> 200,00;",
                             "2 NAME: Наименование Ваза -> Ваза синяя;",
                             "3 SIZE: Кол-во в коробке 6 -> 12; Объём, м³ 0,0024 -> 0,003; "
                             "Вес, кг 0,5 -> 0,75;",
                             "4 MIN: Мин. кол-во 1 -> 10; below 10", "5 GONE: нет в каталоге",
                             "6 AB-1: нет в каталоге", // "ab-1" is another product
                         }));
}

TEST(CatalogueCheck, UpdatesChangedLinesAsOneStepAndKeepsTheRest)
{
    const ArticleCodeIndex catalogue({Product("A", 3, 10), Product("B")});
    Order order;
    order.add(Product("A"), 4);
    order.add(Product("B"), 5);
    order.add(Product("GONE"), 6);
    OrderHistory history(order);
    const std::vector<OrderItem> before(order.lines().begin(), order.lines().end());

    ASSERT_TRUE(UpdateFromCatalogue(history, catalogue));
    EXPECT_EQ(order.line(0)->Price, 3);
    EXPECT_EQ(order.line(0)->MinQuantity, 10);
    EXPECT_EQ(order.line(0)->Quantity, 4); // below the minimum, yet kept
    EXPECT_EQ(order.lineCount(), 3);
    EXPECT_EQ(CompareWithCatalogue(order.lines(), catalogue, 80, {}).size(), 1u); // GONE
    EXPECT_EQ(Cp1251ToUtf8(history.undoToolTip()), "Отменить: обновление из каталога");
    EXPECT_FALSE(UpdateFromCatalogue(history, catalogue));

    ASSERT_TRUE(history.undo());
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(order.line(0)->Price, before[0].Price);
    EXPECT_EQ(order.line(0)->MinQuantity, before[0].MinQuantity);
}

} // namespace
