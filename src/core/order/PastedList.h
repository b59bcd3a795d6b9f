#pragma once

#include "core/order/OrderItem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ArticleCodeIndex;
class Order;

// A list of article codes and quantities pasted or loaded from a file, one
// product a line: the code, then the quantity, separated by a tab (two
// columns of a spreadsheet), ";", "," or blanks. Texts are Windows-1251.

enum class PasteOutcome
{
    Add,            // a new order line
    Merge,          // goes to the order line of the same code
    NotInCatalogue, // no product has the code
    Ambiguous,      // several codes match, only without regard to case
    BelowMinimum,   // fewer pieces than the product's minimum
    BadQuantity     // not a whole number above 0, or more than a line can hold
};

struct PastedLine
{
    int32_t textLine = 0; // 1-based line of the pasted text
    std::string text;     // the line as pasted, without its line break
    std::string code;     // blanks and enclosing double quotes taken off
    std::string quantityText;
    int32_t quantity = 0;                    // 0 when quantityText is not a number above 0
    const CatalogueEntry* product = nullptr; // set by ReviewPastedLines
    PasteOutcome outcome = PasteOutcome::NotInCatalogue;
    int32_t mergeLine = 0; // the 1-based order line a Merge goes to

    bool valid() const { return outcome == PasteOutcome::Add || outcome == PasteOutcome::Merge; }
};

// The non-empty lines of `text` with code and quantity, not yet judged. A
// first line without a digit is a header and left out.
std::vector<PastedLine> ParsePastedList(std::string_view text);

// Finds each line's product in `catalogue` and judges the line against the
// order as it would stand after the lines before it were added, so that a
// code given twice is added once and then merged. The product pointers stay
// valid as long as `catalogue`.
void ReviewPastedLines(std::vector<PastedLine>& lines, const ArticleCodeIndex& catalogue,
                       const Order& order);

// ParsePastedList, then ReviewPastedLines.
std::vector<PastedLine> ReviewPastedList(std::string_view text, const ArticleCodeIndex& catalogue,
                                         const Order& order);

// The outcome as the paste dialog shows it: "будет добавлено", "будет
// объединено со строкой 3", "меньше минимума (6)" and so on.
std::string PasteOutcomeText(const PastedLine& line);

struct PasteResult
{
    int32_t added = 0;
    int32_t merged = 0;
    // The lines not added, one a line, for the user to mend; empty when every
    // line was added.
    std::string refusedText;
};

// Adds the valid lines as the quantity dialog would (Order::add: merged by
// article code, refused when the merged quantity would not fit).
PasteResult AddPastedLines(const std::vector<PastedLine>& lines, Order& order);
