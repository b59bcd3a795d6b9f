#include "catalogue/NameFilter.h"

namespace {

char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

} // namespace

std::string CleanNameFilter(std::string_view filter)
{
    std::string clean;
    clean.reserve(filter.size());
    for (char c : filter) {
        if (c != '"')
            clean += c;
    }
    return clean;
}

bool ListsWholeCatalogue(std::string_view cleanFilter)
{
    return cleanFilter.empty() || cleanFilter == "*";
}

bool LikeMatches(std::string_view text, std::string_view pattern)
{
    // Greedy matching with one backtrack point: the last "%" seen, and the
    // text position it currently stands for.
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '%') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '_' || FoldAscii(pattern[p]) == FoldAscii(text[t]))) {
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
