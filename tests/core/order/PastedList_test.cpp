#include "core/catalogue/ArticleCodeIndex.h"
#include "core/order/Order.h"
#include "core/order/PastedList.h"
#include "core/text/Cp1251.h"
#include "core/text/TextFileEncoding.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

CatalogueEntry Product(const char* sku, int32_t minimum)
{
    CatalogueEntry entry;
    entry.SKU.Assign(Cp(sku));
    entry.Name.Assign(Cp("Товар ") + Cp(sku));
    entry.MinQuantity = minimum;
    return entry;
}

TEST(PastedList, SplitsCodeAndQuantityWhateverTheSeparator)
{
    const std::string text = "Артикул\tКоличество\r\n"
                             "AB-1\t12\r\n"
                             "\r\n"
                             "CD 2;Кружка;7;\n"
                             "\"EF-3\",\"5\"\r"
                             "  GH 4   9  \n"
                             "KL-5\n"
                             "MN-6  \t \n";
    const struct
    {
        int32_t textLine;
        const char* code;
        const char* quantityText;
        int32_t quantity;
    } expected[] = {{2, "AB-1", "12", 12}, {4, "CD 2", "7", 7}, {5, "EF-3", "5", 5},
                    {6, "GH 4", "9", 9},   {7, "KL-5", "", 0},  {8, "MN-6", "", 0}};
    const std::vector<PastedLine> lines = ParsePastedList(Cp(text));
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].textLine, expected[i].textLine);
        EXPECT_EQ(lines[i].code, expected[i].code) << i;
        EXPECT_EQ(lines[i].quantityText, expected[i].quantityText) << i;
        EXPECT_EQ(lines[i].quantity, expected[i].quantity) << i;
    }
    // Only a first line without a digit is a header.
    EXPECT_EQ(ParsePastedList("AB-1 x\nCode Qty").size(), 2u);
}

TEST(PastedList, JudgesEachLineAgainstTheCatalogueAndTheOrder)
{
    const ArticleCodeIndex catalogue({Product("AB-1", 6), Product("ab-1", 1), Product("CD-2", 1),
                                      Product("Ef-3", 0), Product("Жк-4", 2)});
    Order order;
    order.add(Product("CD-2", 1), std::numeric_limits<int32_t>::max() - 10);
    const struct
    {
        const char* line;
        const char* outcome;
        const char* name; // the product found, if any
    } cases[] = {
        {"AB-1 6", "будет добавлено", "Товар AB-1"},
        {"Ab-1 6", "неоднозначный артикул", ""},
        {"ef-3 2", "будет добавлено", "Товар Ef-3"},
        {"жК-4 2", "будет добавлено", "Товар Жк-4"},
        {"CD-2 10", "будет объединено со строкой 1", "Товар CD-2"},
        {"CD-2 1", "неверное количество", "Товар CD-2"}, // past the largest quantity
        {"EF-3 3", "будет объединено со строкой 3", "Товар Ef-3"},
        {"XX-9 1", "нет в каталоге", ""},
        {"AB-1 5", "меньше минимума (6)", "Товар AB-1"},
        {"AB-1 x", "неверное количество", "Товар AB-1"},
        {"AB-1 0", "неверное количество", "Товар AB-1"},
        {"AB-1 -6", "неверное количество", "Товар AB-1"},
        {"AB-1 99999999999", "неверное количество", "Товар AB-1"},
    };
    std::string text;
    for (const auto& c : cases)
        text += Cp(c.line) + "\n";
    const std::vector<PastedLine> lines = ReviewPastedList(text, catalogue, order);
    ASSERT_EQ(lines.size(), std::size(cases));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(Cp1251ToUtf8(PasteOutcomeText(lines[i])), cases[i].outcome) << cases[i].line;
        EXPECT_EQ(lines[i].product ? Cp1251ToUtf8(lines[i].product->Name.View()) : "",
                  cases[i].name)
            << cases[i].line;
    }

    const PasteResult result = AddPastedLines(lines, order);
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(result.merged, 2);
    ASSERT_EQ(order.lineCount(), 4);
    EXPECT_EQ(order.line(2)->Quantity, 5); // "ef-3 2" and "EF-3 3" on one line
    EXPECT_EQ(Cp1251ToUtf8(result.refusedText),
              "Ab-1 6\nCD-2 1\nXX-9 1\nAB-1 5\nAB-1 x\nAB-1 0\nAB-1 -6\nAB-1 99999999999");
}

TEST(PastedList, AddingRefusesWhatTheOrderNoLongerTakes)
{
    const ArticleCodeIndex catalogue({Product("AB-1", 1)});
    Order order;
    const std::vector<PastedLine> lines = ReviewPastedList("AB-1;2000000000", catalogue, order);
    order.add(Product("AB-1", 1), 2000000000); // changed after the review
    const PasteResult result = AddPastedLines(lines, order);
    EXPECT_EQ(result.added + result.merged, 0);
    EXPECT_EQ(result.refusedText, "AB-1;2000000000");
    EXPECT_EQ(order.line(0)->Quantity, 2000000000);
}

TEST(TextFileEncoding, TellsUtf8FromWindows1251)
{
    const struct
    {
        std::string bytes;
        std::string cp1251;
    } cases[] = {{"AB-1;5", "AB-1;5"},
                 {"\xEF\xBB\xBF\xD0\x96\xD0\xBA;2", Cp("Жк;2")},
                 {"\xD0\x96\xD0\xBA;2", Cp("Жк;2")},
                 {Cp("Жк;2"), Cp("Жк;2")},
                 {Cp("Кружка зимняя;12"), Cp("Кружка зимняя;12")},
                 {"\xE2\x84\x96 \xF0\x9F\x98\x80", Cp("№ ?")}};
    for (const auto& c : cases)
        EXPECT_EQ(TextFileToCp1251(c.bytes), c.cp1251) << Cp1251ToUtf8(c.cp1251);
}

} // namespace
