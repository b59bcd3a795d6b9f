#include "core/order/BoxQuantity.h"

#include "core/text/Cp1251.h"

#include <algorithm>
#include <limits>

std::string BoxesText(int32_t quantity, int32_t packing)
{
    if (packing <= 1 || quantity < 0)
        return {};
    std::string text = "= " + std::to_string(quantity / packing) + Cp(" кор.");
    if (const int32_t pieces = quantity % packing; pieces != 0)
        text += " + " + std::to_string(pieces) + Cp(" шт.");
    return text;
}

std::optional<int32_t> WholeBoxQuantity(int32_t quantity, int32_t packing, int32_t minimum)
{
    if (packing <= 1)
        return std::nullopt;
    const int64_t wanted = std::max<int64_t>({quantity, minimum, 1});
    const int64_t boxes = (wanted + packing - 1) / packing;
    const int64_t pieces = boxes * packing;
    if (pieces > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(pieces);
}
