#pragma once

#include "core/order/OrderItem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The products of a whole catalogue found by their article code: exactly
// first, then without regard to case (Latin and Cyrillic letters). Built once
// for a list of codes, so that each code costs a hash lookup.
class ArticleCodeIndex
{
public:
    struct Match
    {
        const CatalogueEntry* product = nullptr; // the first product with the code
        // Products with different codes match only without regard to case
        // ("AB-1" and "ab-1" for "Ab-1"): the code names none of them.
        bool ambiguous = false;
    };

    explicit ArticleCodeIndex(std::vector<CatalogueEntry> products);
    ArticleCodeIndex(const ArticleCodeIndex&) = delete;
    ArticleCodeIndex& operator=(const ArticleCodeIndex&) = delete;
    ArticleCodeIndex(ArticleCodeIndex&&) = default;
    ArticleCodeIndex& operator=(ArticleCodeIndex&&) = default;

    // The product pointer stays valid as long as the index.
    Match find(std::string_view code) const;
    const std::vector<CatalogueEntry>& products() const { return m_products; }

private:
    struct Folded
    {
        int32_t first = 0;
        bool severalCodes = false;
    };

    std::vector<CatalogueEntry> m_products;
    std::unordered_map<std::string, int32_t> m_exact;
    std::unordered_map<std::string, Folded> m_folded;
};
