#include "core/catalogue/ArticleSearch.h"

#include <algorithm>

namespace {

char UpperLatin(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameLetter(char a, char b)
{
    return UpperLatin(a) == UpperLatin(b);
}

} // namespace

int FindArticle(const std::vector<CatalogueEntry>& entries, int count, std::string_view text)
{
    if (text.empty())
        return -1;
    const int limit = std::min(count, static_cast<int>(entries.size()));
    for (int n = 0; n < limit; ++n) {
        const std::string_view code = entries[static_cast<std::size_t>(n)].SKU.View();
        if (std::search(code.begin(), code.end(), text.begin(), text.end(), SameLetter) !=
            code.end())
            return n;
    }
    return -1;
}
