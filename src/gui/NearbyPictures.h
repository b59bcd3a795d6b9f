#pragma once

#include <string>
#include <vector>

// The picture lists of the rows around `index` in a grid, in the order the
// user is likely to move to them: the next row, the previous one, then the
// rows two away. `rowAt(i)` gives the row's item or nullptr past the ends.
template <typename RowAt> std::vector<std::string> NearbyPictures(int index, RowAt rowAt)
{
    std::vector<std::string> lists;
    if (index < 0)
        return lists;
    for (const int step : {1, -1, 2, -2}) {
        if (const auto* row = rowAt(index + step))
            lists.push_back(row->Image.Str());
    }
    return lists;
}
