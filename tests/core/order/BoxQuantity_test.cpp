#include "core/order/BoxQuantity.h"
#include "core/text/Cp1251.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(BoxQuantity, CountsAndRoundsUpToWholeBoxes)
{
    constexpr int32_t kLargest = std::numeric_limits<int32_t>::max();
    const struct
    {
        int32_t quantity, packing, minimum;
        const char* text;
        std::optional<int32_t> whole;
    } cases[] = {
        {15, 6, 1, "= 2 кор. + 3 шт.", 18},
        {12, 6, 1, "= 2 кор.", 12},
        {7, 6, 6, "= 1 кор. + 1 шт.", 12},
        {3, 6, 8, "= 0 кор. + 3 шт.", 12}, // never below the minimum
        {0, 6, 0, "= 0 кор.", 6},          // at least one box
        {7, 1, 1, "", std::nullopt},
        {7, 0, 1, "", std::nullopt},
        {kLargest - 1, 2, 1, "= 1073741823 кор.", kLargest - 1},
        {kLargest, 2, 1, "= 1073741823 кор. + 1 шт.", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1251ToUtf8(BoxesText(c.quantity, c.packing)), c.text) << c.quantity;
        EXPECT_EQ(WholeBoxQuantity(c.quantity, c.packing, c.minimum), c.whole) << c.quantity;
    }
}

} // namespace
