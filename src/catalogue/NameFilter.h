#pragma once

#include <string>
#include <string_view>

// The name filter of the catalogue. SQLite's LIKE decodes text as UTF-8, but
// the catalogue holds Windows-1251 bytes, most of whose Cyrillic letters are
// then read as one and the same invalid character: "Ручка" would find
// "Кружка". The loader therefore checks each row the query returns against
// LikeMatches, which applies the LIKE rule byte by byte.

// The filter as the query carries it: double quotes dropped.
std::string CleanNameFilter(std::string_view filter);

// An empty filter or "*" lists the whole catalogue.
bool ListsWholeCatalogue(std::string_view cleanFilter);

// LIKE over Windows-1251 text: "%" matches any run of characters, "_" exactly
// one, ASCII letters match in either case and every other byte only itself.
bool LikeMatches(std::string_view text, std::string_view pattern);
