#pragma once

#include "core/order/OrderItem.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class ArticleCodeIndex;
class OrderHistory;
struct TFormatSettings;

// An order line keeps the catalogue's values of the day it was made; these
// compare them with today's catalogue.

enum class CatalogueField
{
    Price,
    MinQuantity,
    Packing,
    Name,
    Volume,
    Weight
};

// The field's caption (UTF-8), e.g. "Мин. кол-во".
const char* CatalogueFieldCaption(CatalogueField field);

// One value that differs, as the user reads it (Windows-1251): the price in
// roubles at today's rate, the volume of a piece in cubic metres.
struct FieldChange
{
    CatalogueField field;
    std::string before;
    std::string after;
};

// "нет в каталоге" (UTF-8): the line's code is in the catalogue no more.
inline constexpr char kNotInCatalogue[] = "нет в каталоге";

struct LineDifference
{
    int32_t line = 0; // 0-based position in the order
    std::string sku;  // Windows-1251
    bool missing = false;
    std::vector<FieldChange> changes; // empty when missing
    // The line's quantity is below the catalogue's new minimum; it is
    // reported, never changed.
    bool belowMinimum = false;
    int32_t quantity = 0;
    int32_t newMinimum = 0;
};

// The lines that differ from the catalogue, in order; empty when none does.
// A line belongs to the product of exactly its code.
std::vector<LineDifference> CompareWithCatalogue(std::span<const OrderItem> lines,
                                                 const ArticleCodeIndex& catalogue,
                                                 double priceFactor, const TFormatSettings& format);

// Takes the catalogue's values (and picture list) into every line that
// differs, as one undoable step; quantities stay, and so do lines whose code
// is gone. False when no line differed.
bool UpdateFromCatalogue(OrderHistory& history, const ArticleCodeIndex& catalogue);
