#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Quantities counted in the product's boxes (Packing pieces each). Both
// functions are about boxes only when a box holds more than one piece.

// The quantity in boxes as the quantity dialog shows it under the quantity
// (Windows-1251): "= 2 кор. + 3 шт.", or "= 2 кор." when it divides evenly;
// empty when the box holds one piece or none, or the quantity is negative.
std::string BoxesText(int32_t quantity, int32_t packing);

// The smallest whole number of boxes, at least one, that holds `quantity`
// and is not below `minimum`: 7 pieces with boxes of 6 give 12. None when
// the box holds one piece or none, or no such number fits a quantity.
std::optional<int32_t> WholeBoxQuantity(int32_t quantity, int32_t packing, int32_t minimum);
