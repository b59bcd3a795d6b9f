#include "core/text/DateTimeText.h"

#include "core/text/NumberFormat.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

TFormatSettings Format(char dateSeparator, const char* order, char timeSeparator = ':')
{
    TFormatSettings format;
    format.DateSeparator = dateSeparator;
    format.DateOrder = order;
    format.TimeSeparator = timeSeparator;
    return format;
}

TEST(DateTimeText, ReadsTheShortDateWithAnOptionalTime)
{
    const TFormatSettings russian = Format('.', "DMY");
    const struct
    {
        const char* text;
        TFormatSettings format;
        QDateTime expected; // invalid: refused
    } cases[] = {
        {"01.02.2026", russian, QDateTime(QDate(2026, 2, 1), QTime(0, 0), Qt::UTC)},
        {"1.2.2026 9:05", russian, QDateTime(QDate(2026, 2, 1), QTime(9, 5), Qt::UTC)},
        {" 01.02.2026  23:59:58 ", russian,
         QDateTime(QDate(2026, 2, 1), QTime(23, 59, 58), Qt::UTC)},
        {"29.02.2024", russian, QDateTime(QDate(2024, 2, 29), QTime(0, 0), Qt::UTC)},
        {"01.02.26", russian, QDateTime(QDate(2026, 2, 1), QTime(0, 0), Qt::UTC)},
        {"01.02.49", russian, QDateTime(QDate(2049, 2, 1), QTime(0, 0), Qt::UTC)},
        {"01.02.50", russian, QDateTime(QDate(1950, 2, 1), QTime(0, 0), Qt::UTC)},
        {"2/1/2026 9:05", Format('/', "MDY"), QDateTime(QDate(2026, 2, 1), QTime(9, 5), Qt::UTC)},
        {"2026-02-01 09.05", Format('-', "YMD", '.'),
         QDateTime(QDate(2026, 2, 1), QTime(9, 5), Qt::UTC)},
        // Dates and times that do not exist.
        {"31.02.2026", russian, {}},
        {"29.02.2025", russian, {}},
        {"00.01.2026", russian, {}},
        {"01.13.2026", russian, {}},
        {"01.02.0000", russian, {}},
        {"01.02.2026 24:00", russian, {}},
        {"01.02.2026 9:60", russian, {}},
        // Not the locale's notation, or something more.
        {"13/1/2026", Format('/', "MDY"), {}},
        {"01/02/2026", russian, {}},
        {"2026.02.01", russian, {}},
        {"01.02.20261", russian, {}},
        {"01.02", russian, {}},
        {"01.02.2026x", russian, {}},
        {"01.02.202609:05", russian, {}},
        {"01.02.2026 9", russian, {}},
        {"01.02.2026 9:5", russian, {}},
        {"01.02.2026 9:05:", russian, {}},
        {"01.02.2026 9:05 PM", russian, {}},
        {"", russian, {}},
    };
    for (const auto& c : cases) {
        QDateTime result;
        EXPECT_EQ(TryStrToDateTime(c.text, result, c.format), c.expected.isValid()) << c.text;
        if (c.expected.isValid()) {
            EXPECT_EQ(result, c.expected) << c.text;
        }
    }
}

} // namespace
