#include "core/order/PastedList.h"

#include "core/catalogue/ArticleCodeIndex.h"
#include "core/order/Order.h"
#include "core/text/Blanks.h"
#include "core/text/Cp1251.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <unordered_map>
#include <utility>

namespace {

// A spreadsheet saved as CSV encloses a field in double quotes when it must.
std::string_view Unquoted(std::string_view field)
{
    field = TrimBlanks(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = TrimBlanks(field.substr(1, field.size() - 2));
    return field;
}

// The lines of the text, whatever line breaks it has.
std::vector<std::string_view> TextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != '\n' && text[at] != '\r')
            continue;
        lines.push_back(text.substr(start, at - start));
        if (at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n')
            ++at;
        start = at + 1;
    }
    return lines;
}

std::vector<std::string_view> Fields(std::string_view line, char separator)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

// The first field is the code and the last non-empty one after it the
// quantity, so that a name column between them does no harm. Blanks separate
// only when no other separator is there; then the last word is the quantity
// and all before it the code.
void SplitCodeAndQuantity(std::string_view line, PastedLine& pasted)
{
    std::string_view code = TrimBlanks(line);
    std::string_view quantity;
    const std::size_t separatorAt = line.find_first_of("\t;,");
    if (separatorAt != std::string_view::npos) {
        const char separator = line.find('\t') != std::string_view::npos  ? '\t'
                               : line.find(';') != std::string_view::npos ? ';'
                                                                          : ',';
        const std::vector<std::string_view> fields = Fields(line, separator);
        code = fields.front();
        for (std::size_t i = fields.size() - 1; i > 0 && quantity.empty(); --i)
            quantity = Unquoted(fields[i]);
    } else if (const std::size_t blank = code.find_last_of(' '); blank != std::string_view::npos) {
        quantity = code.substr(blank + 1);
        code = code.substr(0, blank);
    }
    pasted.code = std::string(Unquoted(code));
    pasted.quantityText = std::string(quantity);
}

// A whole number above 0 that fits a quantity; 0 otherwise.
int32_t QuantityOf(std::string_view text)
{
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

bool HasDigit(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::vector<PastedLine> ParsePastedList(std::string_view text)
{
    std::vector<PastedLine> lines;
    bool first = true;
    int32_t number = 0;
    for (const std::string_view line : TextLines(text)) {
        ++number;
        if (TrimBlanks(line).empty())
            continue;
        if (std::exchange(first, false) && !HasDigit(line))
            continue;
        PastedLine& pasted = lines.emplace_back();
        pasted.textLine = number;
        pasted.text = std::string(line);
        SplitCodeAndQuantity(line, pasted);
        pasted.quantity = QuantityOf(pasted.quantityText);
    }
    return lines;
}

void ReviewPastedLines(std::vector<PastedLine>& lines, const ArticleCodeIndex& catalogue,
                       const Order& order)
{
    // Where each code stands in the order and how many pieces it holds there,
    // counting the lines judged valid so far.
    struct Standing
    {
        int32_t line = 0; // 1-based
        int64_t quantity = 0;
    };
    std::unordered_map<std::string, Standing> standing;
    int32_t lineCount = order.lineCount();
    for (int32_t i = 0; i < lineCount; ++i)
        standing.try_emplace(order.line(i)->SKU.Str(), Standing{i + 1, order.line(i)->Quantity});

    for (PastedLine& line : lines) {
        const ArticleCodeIndex::Match match = catalogue.find(line.code);
        line.product = match.product;
        line.mergeLine = 0;
        if (match.ambiguous) {
            line.outcome = PasteOutcome::Ambiguous;
            continue;
        }
        if (match.product == nullptr) {
            line.outcome = PasteOutcome::NotInCatalogue;
            continue;
        }
        if (line.quantity <= 0) {
            line.outcome = PasteOutcome::BadQuantity;
            continue;
        }
        if (line.quantity < match.product->MinQuantity) {
            line.outcome = PasteOutcome::BelowMinimum;
            continue;
        }
        const auto [at, isNew] = standing.try_emplace(match.product->SKU.Str(), Standing{});
        if (at->second.quantity + line.quantity > std::numeric_limits<int32_t>::max()) {
            line.outcome = PasteOutcome::BadQuantity; // the order would refuse the merge
            continue;
        }
        if (isNew)
            at->second.line = ++lineCount;
        at->second.quantity += line.quantity;
        line.outcome = isNew ? PasteOutcome::Add : PasteOutcome::Merge;
        line.mergeLine = isNew ? 0 : at->second.line;
    }
}

std::vector<PastedLine> ReviewPastedList(std::string_view text, const ArticleCodeIndex& catalogue,
                                         const Order& order)
{
    std::vector<PastedLine> lines = ParsePastedList(text);
    ReviewPastedLines(lines, catalogue, order);
    return lines;
}

std::string PasteOutcomeText(const PastedLine& line)
{
    switch (line.outcome) {
    case PasteOutcome::Add:
        return Cp("будет добавлено");
    case PasteOutcome::Merge:
        return Cp("будет объединено со строкой ") + std::to_string(line.mergeLine);
    case PasteOutcome::NotInCatalogue:
        return Cp("нет в каталоге");
    case PasteOutcome::Ambiguous:
        return Cp("неоднозначный артикул");
    case PasteOutcome::BelowMinimum:
        return Cp("меньше минимума (") +
               std::to_string(line.product != nullptr ? line.product->MinQuantity : 0) + ")";
    case PasteOutcome::BadQuantity:
        break;
    }
    return Cp("неверное количество");
}

PasteResult AddPastedLines(const std::vector<PastedLine>& lines, Order& order)
{
    PasteResult result;
    for (const PastedLine& line : lines) {
        Order::AddResult added = Order::AddResult::Refused;
        if (line.valid() && line.product != nullptr)
            added = order.add(*line.product, line.quantity);
        if (added == Order::AddResult::Added) {
            ++result.added;
        } else if (added == Order::AddResult::Merged) {
            ++result.merged;
        } else {
            if (!result.refusedText.empty())
                result.refusedText += '\n';
            result.refusedText += line.text;
        }
    }
    return result;
}
