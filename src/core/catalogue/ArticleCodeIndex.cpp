#include "core/catalogue/ArticleCodeIndex.h"

#include "core/catalogue/LikePattern.h"

namespace {

std::string FoldedCode(std::string_view code)
{
    const ByteFold& fold = Cp1251CaseFold();
    std::string folded(code);
    for (char& c : folded)
        c = static_cast<char>(fold[static_cast<unsigned char>(c)]);
    return folded;
}

} // namespace

ArticleCodeIndex::ArticleCodeIndex(std::vector<CatalogueEntry> products)
    : m_products(std::move(products))
{
    m_exact.reserve(m_products.size());
    m_folded.reserve(m_products.size());
    for (std::size_t i = 0; i < m_products.size(); ++i) {
        const std::string_view code = m_products[i].SKU.View();
        const auto index = static_cast<int32_t>(i);
        m_exact.try_emplace(std::string(code), index);
        const auto [folded, inserted] = m_folded.try_emplace(FoldedCode(code), Folded{index});
        if (!inserted &&
            m_products[static_cast<std::size_t>(folded->second.first)].SKU.View() != code)
            folded->second.severalCodes = true;
    }
}

ArticleCodeIndex::Match ArticleCodeIndex::find(std::string_view code) const
{
    if (const auto exact = m_exact.find(std::string(code)); exact != m_exact.end())
        return {&m_products[static_cast<std::size_t>(exact->second)], false};
    const auto folded = m_folded.find(FoldedCode(code));
    if (folded == m_folded.end())
        return {};
    if (folded->second.severalCodes)
        return {nullptr, true};
    return {&m_products[static_cast<std::size_t>(folded->second.first)], false};
}
