#include "core/order/Order.h"

#include "core/order/OrderFile.h"

#include <limits>
#include <stdexcept>

const OrderItem* Order::line(int32_t index) const
{
    if (index < 0 || index >= lineCount())
        return nullptr;
    return &m_lines[static_cast<std::size_t>(index)];
}

Order::AddResult Order::add(const CatalogueEntry& product, int32_t quantity)
{
    if (quantity <= 0)
        return AddResult::Ignored;
    for (OrderItem& existing : m_lines) {
        if (existing.SKU.View() != product.SKU.View())
            continue;
        if (existing.Quantity > std::numeric_limits<int32_t>::max() - quantity)
            return AddResult::Refused;
        existing.Quantity += quantity;
        m_modified = true;
        return AddResult::Merged;
    }
    m_lines.push_back(OrderItem::FromEntry(product, quantity));
    m_modified = true;
    return AddResult::Added;
}

bool Order::changeQuantity(int32_t index, int32_t quantity)
{
    if (index < 0 || index >= lineCount() || quantity <= 0)
        return false;
    m_lines[static_cast<std::size_t>(index)].Quantity = quantity;
    m_modified = true;
    return true;
}

bool Order::removeLine(int32_t index)
{
    if (index < 0 || index >= lineCount())
        return false;
    m_lines.erase(m_lines.begin() + index);
    m_modified = true;
    return true;
}

void Order::replaceLines(int32_t position, int32_t count, std::span<const OrderItem> replacement)
{
    if (position < 0 || count < 0 || position > lineCount() - count)
        throw std::out_of_range("order lines out of range");
    const auto first = m_lines.begin() + position;
    const auto kept = m_lines.erase(first, first + count);
    m_lines.insert(kept, replacement.begin(), replacement.end());
    m_modified = true;
}

void Order::load(const std::filesystem::path& file)
{
    m_lines = ReadOrderFile(file);
    m_modified = false;
}

void Order::save(const std::filesystem::path& file)
{
    WriteOrderFile(file, m_lines, lineCount());
    m_modified = false;
}

OrderTotals Order::totals(double priceFactor) const
{
    return OrderTotals::Of(m_lines, lineCount(), priceFactor);
}

OrderTotalTexts Order::totalTexts(double priceFactor, const TFormatSettings& format) const
{
    return totals(priceFactor).Texts(format);
}
