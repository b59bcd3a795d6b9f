#pragma once

#include "core/catalogue/LikePattern.h"

#include <string>
#include <string_view>

// The name filter of the catalogue: the products whose name contains the
// typed text, by the LIKE rule ("%" any run of characters, "_" exactly one),
// letters compared without regard to case, Cyrillic ones included. Double
// quotes are dropped from the text; an empty text or "*" lists everything.
//
// The catalogue holds Windows-1251 bytes, which SQLite's LIKE reads as UTF-8:
// there most Cyrillic letters become invalid sequences, some of which even
// swallow the letter after them, so LIKE both finds wrong names and misses
// right ones. The program therefore matches names itself, byte by byte, and
// gives the database only a pattern it can apply without losing a product.
class NameFilter
{
public:
    explicit NameFilter(std::string_view typed);

    bool ListsWholeCatalogue() const { return m_text.empty() || m_text == "*"; }
    bool Matches(std::string_view name) const { return m_pattern.Matches(name); }

    // A LIKE pattern that every matching name also matches in the database,
    // so that the database may pass over rows before they are read; empty
    // when it would pass every row.
    std::string DatabasePattern() const;

private:
    std::string m_text; // as typed, double quotes dropped
    LikePattern m_pattern;
};
