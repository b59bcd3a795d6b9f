#include "core/order/OrderHistory.h"

#include "core/order/PastedList.h"
#include "core/text/Cp1251.h"

#include <algorithm>
#include <cstring>

namespace {

// The record has no padding (its layout is fixed to the byte), so equal
// bytes are equal lines.
bool SameLine(const OrderItem& a, const OrderItem& b)
{
    return std::memcmp(&a, &b, sizeof(OrderItem)) == 0;
}

std::vector<OrderItem> Copy(std::span<const OrderItem> lines)
{
    return {lines.begin(), lines.end()};
}

std::string CodeOf(const Order& order, int32_t index)
{
    const OrderItem* line = order.line(index);
    return line != nullptr ? line->SKU.Str() : std::string();
}

} // namespace

Order::AddResult OrderHistory::add(const CatalogueEntry& product, int32_t quantity)
{
    const std::vector<OrderItem> before = Copy(m_order.lines());
    const Order::AddResult result = m_order.add(product, quantity);
    keep(Cp(result == Order::AddResult::Merged ? "добавление к строке " : "добавление строки ") +
             product.SKU.Str(),
         before);
    return result;
}

bool OrderHistory::changeQuantity(int32_t index, int32_t quantity)
{
    const std::vector<OrderItem> before = Copy(m_order.lines());
    const bool changed = m_order.changeQuantity(index, quantity);
    keep(Cp("изменение количества ") + CodeOf(m_order, index), before);
    return changed;
}

bool OrderHistory::removeLine(int32_t index)
{
    const std::string code = CodeOf(m_order, index);
    const std::vector<OrderItem> before = Copy(m_order.lines());
    const bool removed = m_order.removeLine(index);
    keep(Cp("удаление строки ") + code, before);
    return removed;
}

PasteResult OrderHistory::addPastedLines(const std::vector<PastedLine>& lines)
{
    const std::vector<OrderItem> before = Copy(m_order.lines());
    PasteResult result = AddPastedLines(lines, m_order);
    keep(Cp("вставка списка товаров"), before);
    return result;
}

void OrderHistory::clearOrder()
{
    const std::vector<OrderItem> before = Copy(m_order.lines());
    m_order.clear();
    keep(Cp("новый заказ"), before);
}

void OrderHistory::record(std::string description, const std::function<void(Order&)>& change)
{
    const std::vector<OrderItem> before = Copy(m_order.lines());
    change(m_order);
    keep(std::move(description), before);
}

void OrderHistory::forget()
{
    m_undo.clear();
    m_redo.clear();
    m_changedLine = -1;
}

std::string OrderHistory::undoDescription() const
{
    return canUndo() ? m_undo.back().description : std::string();
}

std::string OrderHistory::redoDescription() const
{
    return canRedo() ? m_redo.back().description : std::string();
}

std::string OrderHistory::undoToolTip() const
{
    return canUndo() ? Cp("Отменить: ") + undoDescription() : Cp("Отменить");
}

std::string OrderHistory::redoToolTip() const
{
    return canRedo() ? Cp("Повторить: ") + redoDescription() : Cp("Повторить");
}

bool OrderHistory::undo()
{
    return move(m_undo, m_redo, true);
}

bool OrderHistory::redo()
{
    return move(m_redo, m_undo, false);
}

// Cuts the equal lines off both ends and keeps the rest as a step; a change
// that changed nothing is no step. A new step ends what could be redone.
void OrderHistory::keep(std::string description, const std::vector<OrderItem>& before)
{
    const std::span<const OrderItem> after = m_order.lines();
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && SameLine(before[head], after[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head &&
           SameLine(before[before.size() - 1 - tail], after[after.size() - 1 - tail]))
        ++tail;
    if (head + tail == before.size() && head + tail == after.size())
        return;
    Step step{std::move(description),
              static_cast<int32_t>(head),
              {before.begin() + static_cast<std::ptrdiff_t>(head),
               before.end() - static_cast<std::ptrdiff_t>(tail)},
              {after.begin() + static_cast<std::ptrdiff_t>(head),
               after.end() - static_cast<std::ptrdiff_t>(tail)}};
    m_redo.clear();
    m_undo.push_back(std::move(step));
    if (m_undo.size() > kStepsKept)
        m_undo.pop_front();
}

bool OrderHistory::move(std::deque<Step>& from, std::deque<Step>& to, bool backwards)
{
    if (from.empty())
        return false;
    const Step& step = from.back();
    const std::vector<OrderItem>& present = backwards ? step.after : step.before;
    const std::vector<OrderItem>& wanted = backwards ? step.before : step.after;
    const std::span<const OrderItem> lines = m_order.lines();
    const auto count = static_cast<int32_t>(present.size());
    if (step.position > m_order.lineCount() - count ||
        !std::equal(present.begin(), present.end(), lines.begin() + step.position, SameLine)) {
        forget();
        return false;
    }
    m_order.replaceLines(step.position, count, wanted);
    m_changedLine = std::min(step.position, m_order.lineCount() - 1);
    to.push_back(std::move(from.back()));
    from.pop_back();
    return true;
}
