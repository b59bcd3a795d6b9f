#include "core/catalogue/LikePattern.h"

#include "core/text/Cp1251.h"

#include <QChar>
#include <QString>

namespace {

bool IsLatinOrCyrillic(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0x0400 && c <= 0x04FF);
}

// Built from the code page's own mapping, so every capital of it that has a
// small letter there is covered.
ByteFold MakeCp1251CaseFold()
{
    ByteFold fold{};
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const QString decoded = FromCp1251(std::string_view(&byte, 1));
        const char32_t c = decoded.at(0).unicode();
        fold[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
        if (!IsLatinOrCyrillic(c))
            continue;
        const std::string small = ToCp1251(decoded.toLower());
        if (small.size() == 1 && small != "?")
            fold[static_cast<std::size_t>(b)] = static_cast<unsigned char>(small[0]);
    }
    return fold;
}

} // namespace

const ByteFold& Cp1251CaseFold()
{
    static const ByteFold fold = MakeCp1251CaseFold();
    return fold;
}

const ByteFold& Cp1251NameFold()
{
    static const ByteFold fold = [] {
        ByteFold names = Cp1251CaseFold();
        const unsigned char smallIe = names[0xC5]; // Е
        names[0xA8] = smallIe;                     // Ё
        names[0xB8] = smallIe;                     // ё
        return names;
    }();
    return fold;
}

LikePattern::LikePattern(std::string_view pattern, const ByteFold& fold)
    : m_pattern(pattern), m_fold(&fold)
{
    for (char& c : m_pattern) {
        if (c != '%' && c != '_')
            c = static_cast<char>(fold[static_cast<unsigned char>(c)]);
    }
}

bool LikePattern::Matches(std::string_view text) const
{
    const ByteFold& fold = *m_fold;
    const std::string_view pattern = m_pattern;
    // Greedy matching with one backtrack point: the last "%" seen, and the
    // text position it currently stands for. A later "%" can take over all
    // an earlier one could have, so no older point is ever needed.
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '%') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '_' || static_cast<unsigned char>(pattern[p]) ==
                                             fold[static_cast<unsigned char>(text[t])])) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '%')
        ++p;
    return p == pattern.size();
}
