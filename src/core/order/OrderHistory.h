#pragma once

#include "core/order/Order.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

struct PastedLine;
struct PasteResult;

// The changes made to the order's lines, to be taken back and made again.
// Every change of the lines goes through here as one step: a line added or
// merged, a quantity changed, a line deleted, a list pasted, the order
// emptied by "Новый заказ".
//
// A step keeps only the run of lines that differs before and after it (what
// is left when the equal lines at both ends are cut off), both ways. A step
// on one line thus holds two 416-byte records, whatever the order's size,
// and no step needs its own code to be undone: any change of the lines,
// present or future, is recorded the same way.
class OrderHistory
{
public:
    static constexpr std::size_t kStepsKept = 100;

    explicit OrderHistory(Order& order) : m_order(order) {}

    // The order's changes, each kept as one step when it changed a line.
    Order::AddResult add(const CatalogueEntry& product, int32_t quantity);
    bool changeQuantity(int32_t index, int32_t quantity);
    bool removeLine(int32_t index);
    PasteResult addPastedLines(const std::vector<PastedLine>& lines);
    // Empties the order ("Новый заказ" after the user declined to save it).
    void clearOrder();
    // Runs `change` and keeps what it did to the lines as one step called
    // `description` (Windows-1251).
    void record(std::string description, const std::function<void(Order&)>& change);

    // Forgets every step: an order was opened or begun anew.
    void forget();

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // What undo and redo would do, e.g. "удаление строки AB-1"; empty when
    // there is nothing to do.
    std::string undoDescription() const;
    std::string redoDescription() const;
    // The tool tips of the two commands: "Отменить: удаление строки AB-1",
    // or the bare command name when there is nothing to do.
    std::string undoToolTip() const;
    std::string redoToolTip() const;

    // Take back the last step or make the last undone one again, marking the
    // order modified; false when there is none. Should the lines no longer
    // be what the step left (changed behind the history's back), the history
    // is forgotten and nothing changes.
    bool undo();
    bool redo();
    // The 0-based line where the last undo or redo changed the order, within
    // the order's lines; -1 when the order is empty.
    int32_t changedLine() const { return m_changedLine; }

private:
    struct Step
    {
        std::string description;
        int32_t position = 0;
        std::vector<OrderItem> before; // the lines from `position` before the change
        std::vector<OrderItem> after;  // and after it
    };

    void keep(std::string description, const std::vector<OrderItem>& before);
    bool move(std::deque<Step>& from, std::deque<Step>& to, bool backwards);

    Order& m_order;
    std::deque<Step> m_undo; // the latest step last
    std::deque<Step> m_redo; // the latest undone step last
    int32_t m_changedLine = -1;
};
