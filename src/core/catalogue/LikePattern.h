#pragma once

#include <array>
#include <string>
#include <string_view>

// Maps each Windows-1251 byte to the byte it is compared as.
using ByteFold = std::array<unsigned char, 256>;

// Latin and Cyrillic capitals to their small letters (Ё to ё, Ў to ў and the
// other Cyrillic letters of the code page included); every other byte to itself.
const ByteFold& Cp1251CaseFold();
// The case fold with Ё and ё also taken as е: names are written with either
// letter, and a buyer typing "елочный" means "ёлочный" too.
const ByteFold& Cp1251NameFold();

// The LIKE rule over Windows-1251 text, one byte per character: "%" matches
// any run of characters, "_" exactly one, and every other byte the bytes that
// fold to the same value. The pattern is folded once, when it is made.
class LikePattern
{
public:
    LikePattern(std::string_view pattern, const ByteFold& fold);

    bool Matches(std::string_view text) const;

private:
    std::string m_pattern;
    const ByteFold* m_fold;
};
