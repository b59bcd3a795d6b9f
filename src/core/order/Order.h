#pragma once

#include "core/order/OrderItem.h"
#include "core/order/OrderTotals.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

struct TFormatSettings;

// The order being composed: its lines in the order they were added, and
// whether it has changes that are in no file. Every successful add, change
// and delete marks it modified; a successful load or save marks it saved.
class Order
{
public:
    enum class AddResult
    {
        Added,   // a new line at the end
        Merged,  // the quantity went to the line of the same article code
        Refused, // the merged quantity would not fit; nothing changed
        Ignored  // no pieces to add; nothing changed
    };

    std::span<const OrderItem> lines() const { return m_lines; }
    int32_t lineCount() const { return static_cast<int32_t>(m_lines.size()); }
    // The line in 0-based position `index`, or nullptr outside the order.
    const OrderItem* line(int32_t index) const;
    bool isModified() const { return m_modified; }

    // Adds `quantity` pieces of `product`. A line is found by its article
    // code, never by the product's position, which changes with every load
    // or filter of the catalogue. A merged quantity past 2147483647 is
    // refused: it would wrap to a negative count.
    AddResult add(const CatalogueEntry& product, int32_t quantity);
    // Replaces the quantity of a line (not added to it); false when there is
    // no such line or the quantity is not above 0.
    bool changeQuantity(int32_t index, int32_t quantity);
    // Removes a line, the lines after it moving up; false when there is none.
    bool removeLine(int32_t index);
    // Empties the order; whether it counts as modified stays as it was, so
    // an unsaved order that was emptied is still asked about.
    void clear() { m_lines.clear(); }
    // Puts `replacement` in place of the `count` lines from `position` and
    // marks the order modified: how a change is taken back or made again.
    void replaceLines(int32_t position, int32_t count, std::span<const OrderItem> replacement);

    // Reads and checks the whole file before the order is touched; raises
    // EOrderFileError and keeps the order when the file is unusable.
    void load(const std::filesystem::path& file);
    // Replaces `file` as a whole; raises EOrderFileError and stays modified
    // when it cannot be written.
    void save(const std::filesystem::path& file);

    OrderTotals totals(double priceFactor) const;
    // The totals as the order view shows them and the order document prints them.
    OrderTotalTexts totalTexts(double priceFactor, const TFormatSettings& format) const;

private:
    std::vector<OrderItem> m_lines;
    bool m_modified = false;
};
