#include "DemoTimeStamp.h"

#include "core/text/Cp1251.h"
#include "core/text/DateTimeText.h"
#include "core/text/NumberFormat.h"

#include <QDateTime>
#include <QLocale>
#include <cstdio>
#include <stdexcept>

namespace {

// Every run of "y" outside quoted literals becomes "yyyy".
QString WithFullYear(const QString& pattern)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u'y') {
            result += c;
            continue;
        }
        while (i + 1 < pattern.size() && pattern.at(i + 1) == u'y')
            ++i;
        result += QStringLiteral("yyyy");
    }
    return result;
}

std::string TimeText(const QTime& time, char separator)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%c%02d%c%02d", time.hour(), separator, time.minute(),
                  separator, time.second());
    return text;
}

// The locale's own short date, written with Latin digits.
std::string LocaleDate(const QLocale& locale, const QDate& date)
{
    const QString pattern = WithFullYear(locale.dateFormat(QLocale::ShortFormat));
    return ToCp1251(QLocale::c().toString(date, pattern));
}

// The same conventions in plain numbers: fields in the locale's order, two
// digits for day and month, four for the year.
std::string NumericDate(const TFormatSettings& format, const QDate& date)
{
    std::string text;
    for (char field : format.DateOrder) {
        if (!text.empty())
            text += format.DateSeparator;
        char number[8];
        const int value = field == 'D' ? date.day() : field == 'M' ? date.month() : date.year();
        std::snprintf(number, sizeof number, field == 'Y' ? "%04d" : "%02d", value);
        text += number;
    }
    return text;
}

} // namespace

bool ReadsBackAs(const std::string& text, const QLocale& locale, const QDateTime& when)
{
    QDateTime read;
    return TryStrToDateTime(text, read, FormatFromLocale(locale)) && read.date() == when.date() &&
           read.time() == when.time();
}

std::string DemoTimeStamp(const QLocale& locale, const QDateTime& when)
{
    const TFormatSettings format = FormatFromLocale(locale);
    const std::string time = TimeText(when.time(), format.TimeSeparator);
    for (const std::string& date :
         {LocaleDate(locale, when.date()), NumericDate(format, when.date())}) {
        const std::string text = date + " " + time;
        if (ReadsBackAs(text, locale, when))
            return text;
    }
    throw std::runtime_error("no time stamp that the program reads back under locale " +
                             locale.name().toStdString());
}
