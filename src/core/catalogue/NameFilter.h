#pragma once

#include "core/catalogue/LikePattern.h"

#include <string>
#include <string_view>
#include <vector>

// The name filter of the catalogue: the products whose name contains every
// word typed, in any order. Within a word the LIKE rule holds ("%" any run of
// characters, "_" exactly one); letters are compared without regard to case,
// Cyrillic ones included, and "ё" stands for "е" and the other way round.
// Words are separated by blanks; a single word is a plain substring search.
// Double quotes are dropped from the text; an empty text or "*" lists
// everything.
//
// The catalogue holds Windows-1251 bytes, which SQLite's LIKE reads as UTF-8:
// there most Cyrillic letters become invalid sequences, some of which even
// swallow the letter after them, so LIKE both finds wrong names and misses
// right ones. The program therefore matches names itself, byte by byte, and
// gives the database only patterns it can apply without losing a product.
class NameFilter
{
public:
    explicit NameFilter(std::string_view typed);

    bool ListsWholeCatalogue() const { return m_words.empty() || m_text == "*"; }
    bool Matches(std::string_view name) const;

    // LIKE patterns, at most one per word, that every matching name also
    // matches in the database, so that the database may pass over rows
    // before they are read; empty when they would pass every row.
    std::vector<std::string> DatabasePatterns() const;

private:
    std::string m_text;                   // as typed, double quotes dropped
    std::vector<std::string> m_wordTexts; // m_text split at blanks
    std::vector<LikePattern> m_words;
};
