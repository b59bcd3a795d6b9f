#include "core/catalogue/ArticleCodeIndex.h"
#include "core/order/OrderHistory.h"
#include "core/order/PastedList.h"
#include "core/text/Cp1251.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

CatalogueEntry Product(const char* sku)
{
    CatalogueEntry entry;
    entry.SKU.Assign(sku);
    return entry;
}

// The order as "code:quantity" items.
std::string Lines(const Order& order)
{
    std::string text;
    for (const OrderItem& line : order.lines())
        text += (text.empty() ? "" : " ") + line.SKU.Str() + ":" + std::to_string(line.Quantity);
    return text;
}

TEST(OrderHistory, TakesBackAndRedoesEveryKindOfChange)
{
    const ArticleCodeIndex catalogue({Product("P1"), Product("P2"), Product("CD-2")});
    Order order;
    OrderHistory history(order);
    EXPECT_EQ(Cp1251ToUtf8(history.undoToolTip()), "Отменить");
    history.add(Product("AB-1"), 2);
    history.add(Product("CD-2"), 3);
    history.add(Product("AB-1"), 4);
    history.changeQuantity(1, 9);
    history.addPastedLines(ReviewPastedList("P1 1\nP2 2\nCD-2 1", catalogue, order));
    history.removeLine(0);
    history.clearOrder();
    // Changes that change nothing are no steps.
    history.add(Product("AB-1"), 0);
    history.removeLine(5);

    const struct
    {
        const char* undoToolTip;
        const char* linesAfterUndo;
        int32_t changedLine;
    } steps[] = {
        {"Отменить: новый заказ", "CD-2:10 P1:1 P2:2", 0},
        {"Отменить: удаление строки AB-1", "AB-1:6 CD-2:10 P1:1 P2:2", 0},
        {"Отменить: вставка списка товаров", "AB-1:6 CD-2:9", 1},
        {"Отменить: изменение количества CD-2", "AB-1:6 CD-2:3", 1},
        {"Отменить: добавление к строке AB-1", "AB-1:2 CD-2:3", 0},
        {"Отменить: добавление строки CD-2", "AB-1:2", 0},
        {"Отменить: добавление строки AB-1", "", -1},
    };
    const std::string full = Lines(order);
    const TempDir dir;
    for (const auto& step : steps) {
        order.save(dir.File("a.order")); // saved, so that the undo must mark it modified
        EXPECT_EQ(Cp1251ToUtf8(history.undoToolTip()), step.undoToolTip);
        EXPECT_TRUE(history.undo());
        EXPECT_EQ(Lines(order), step.linesAfterUndo);
        EXPECT_EQ(history.changedLine(), step.changedLine);
        EXPECT_TRUE(order.isModified());
    }
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(Cp1251ToUtf8(history.redoToolTip()), "Повторить: добавление строки AB-1");
    while (history.redo()) {
    }
    EXPECT_EQ(Lines(order), full);
    EXPECT_EQ(Cp1251ToUtf8(history.redoToolTip()), "Повторить");

    // A new change ends what could be redone.
    history.undo();
    history.add(Product("EF-3"), 1);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(Lines(order), "CD-2:10 P1:1 P2:2 EF-3:1");
}

TEST(OrderHistory, KeepsTheLatestStepsAndForgetsWhenTheOrderChangesBehindIt)
{
    Order order;
    OrderHistory history(order);
    history.add(Product("AB-1"), 1);
    for (int i = 0; i < 110; ++i)
        history.add(Product("AB-1"), 1);
    int undone = 0;
    while (history.undo())
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(Lines(order), "AB-1:11");

    history.redo();
    order.removeLine(0); // not through the history
    EXPECT_FALSE(history.undo());
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(order.lineCount(), 0);

    history.add(Product("AB-1"), 1);
    history.forget(); // an order was opened
    EXPECT_FALSE(history.canUndo());
}

} // namespace
