#include "core/text/DateTimeText.h"

#include "core/text/NumberFormat.h"

#include <QDateTime>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads 1..maxDigits decimal digits at the front of `text`.
bool TakeNumber(std::string_view& text, int maxDigits, int& value, int* digitCount = nullptr)
{
    int digits = 0;
    value = 0;
    while (digits < static_cast<int>(text.size()) && IsDigit(text[digits])) {
        if (digits == maxDigits)
            return false;
        value = value * 10 + (text[digits] - '0');
        ++digits;
    }
    if (digits == 0)
        return false;
    text.remove_prefix(static_cast<std::size_t>(digits));
    if (digitCount)
        *digitCount = digits;
    return true;
}

bool TakeChar(std::string_view& text, char expected)
{
    if (text.empty() || text.front() != expected)
        return false;
    text.remove_prefix(1);
    return true;
}

int FullYear(int year, int digits)
{
    if (digits > 2)
        return year;
    return year < 50 ? 2000 + year : 1900 + year;
}

bool TakeDate(std::string_view& text, const TFormatSettings& format, QDate& date)
{
    const std::string& order = format.DateOrder;
    if (order.size() != 3)
        return false;
    int day = 0, month = 0, year = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && !TakeChar(text, format.DateSeparator))
            return false;
        int digits = 0;
        switch (order[i]) {
        case 'D':
            if (!TakeNumber(text, 2, day))
                return false;
            break;
        case 'M':
            if (!TakeNumber(text, 2, month))
                return false;
            break;
        case 'Y':
            if (!TakeNumber(text, 4, year, &digits))
                return false;
            year = FullYear(year, digits);
            break;
        default:
            return false;
        }
    }
    date = QDate(year, month, day);
    return date.isValid();
}

bool TakeTime(std::string_view& text, const TFormatSettings& format, QTime& time)
{
    int hours = 0, minutes = 0, seconds = 0, digits = 0;
    if (!TakeNumber(text, 2, hours) || !TakeChar(text, format.TimeSeparator) ||
        !TakeNumber(text, 2, minutes, &digits) || digits != 2)
        return false;
    if (TakeChar(text, format.TimeSeparator) &&
        (!TakeNumber(text, 2, seconds, &digits) || digits != 2))
        return false;
    if (!QTime::isValid(hours, minutes, seconds))
        return false;
    time = QTime(hours, minutes, seconds);
    return true;
}

void SkipBlanks(std::string_view& text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
}

} // namespace

bool TryStrToDateTime(std::string_view text, QDateTime& result, const TFormatSettings& format)
{
    SkipBlanks(text);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);

    QDate date;
    if (!TakeDate(text, format, date))
        return false;
    QTime time(0, 0);
    if (!text.empty()) {
        const std::size_t before = text.size();
        SkipBlanks(text);
        if (text.size() == before || !TakeTime(text, format, time) || !text.empty())
            return false;
    }
    result = QDateTime(date, time, Qt::UTC);
    return true;
}
