#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a product's picture list (an Image field, Windows-1251) into file
// names. Items are separated by ";" and by blanks (codes 1 to 32); an item in
// double quotes may hold both, with "" standing for one quote. Two ";" with
// nothing between them give an empty item, and so does a ";" that ends the text.
std::vector<std::string> SplitPictureList(std::string_view list);
