#include "core/catalogue/ArticleSearch.h"

#include <gtest/gtest.h>

namespace {

std::vector<CatalogueEntry> Entries(std::initializer_list<const char*> codes)
{
    std::vector<CatalogueEntry> entries;
    for (const char* code : codes) {
        entries.emplace_back();
        entries.back().SKU.Assign(code);
    }
    return entries;
}

TEST(ArticleSearch, FirstCodeHoldingTheTextLatinLettersInAnyCase)
{
    // "\xC0\xE1" is Cyrillic "Аб", "\xDF" "Я" and "\xFF" "я": compared exactly,
    // byte for byte; Latin "z" and "Z" end the range compared in any case.
    const auto entries = Entries(
        {"CD-300", "xab-9", "AB-100", "\xC0\xE1-1", "ab", "QZ-5", "R\xFF-6", "S\xDF-7", "az"});
    const struct
    {
        const char* text;
        int count;
        int expected;
    } cases[] = {
        {"ab", 5, 1},   {"AB-1", 5, 2},     {"b-9", 5, 1},       {"", 5, -1},
        {"zz", 5, -1},  {"\xC0\xE1", 5, 3}, {"\xE0\xE1", 5, -1}, // Cyrillic case counts
        {"ab", 1, -1},  {"AB", 0, -1},      {"cd-3000", 5, -1},  {"ab", 99, 1},
        {"qz", 9, 5},   {"Z-5", 9, 5},      {"AZ", 9, 8},        {"\xFF", 9, 6},
        {"\xDF", 9, 7}, {"r\xDF", 9, -1},   {"s\xFF", 9, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindArticle(entries, c.count, c.text), c.expected) << c.text;
}

} // namespace
