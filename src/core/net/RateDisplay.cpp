#include "core/net/RateDisplay.h"

#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

namespace {

constexpr qint64 kFreshDays = 3;

// The locale's short date with two-digit day and month and the full year.
QString DateText(const QDate& date, const TFormatSettings& format)
{
    const QString day = QStringLiteral("%1").arg(date.day(), 2, 10, QChar(u'0'));
    const QString month = QStringLiteral("%1").arg(date.month(), 2, 10, QChar(u'0'));
    const QString year = QString::number(date.year());
    const QChar separator = QChar::fromLatin1(format.DateSeparator);
    QStringList fields;
    for (const char field : format.DateOrder)
        fields.append(field == 'D' ? day : field == 'M' ? month : year);
    return fields.join(separator);
}

QString OriginText(const EuroRateOrigin& origin, const TFormatSettings& format)
{
    if (!origin.date.isValid())
        return {};
    switch (origin.source) {
    case EuroRateSource::CentralBank:
        return QStringLiteral(" (ЦБ РФ на %1)").arg(DateText(origin.date, format));
    case EuroRateSource::Manual:
        return QStringLiteral(" (введён вручную %1)").arg(DateText(origin.date, format));
    case EuroRateSource::Unknown:
        break;
    }
    return {};
}

} // namespace

RateDisplay DescribeEuroRate(double roublesPerEuro, const EuroRateOrigin& origin,
                             const QDate& today, const TFormatSettings& format)
{
    RateDisplay display;
    display.text = QStringLiteral("Курс евро: ") +
                   FromCp1251(FormatMoney(roublesPerEuro, format) + Cp(" руб.")) +
                   OriginText(origin, format);
    // A rate of unknown date cannot be judged; one dated after today (the
    // clock was put back) is not old.
    const qint64 age = origin.date.isValid() ? origin.date.daysTo(today) : 0;
    if (age > kFreshDays) {
        display.stale = true;
        display.toolTip = QStringLiteral("Курсу %1 дн. Обновить его можно командой «Указать курс "
                                         "евро» в меню «Настройки».")
                              .arg(age);
    }
    return display;
}

EuroRateOrigin StartupRateOrigin(bool fromWeb, double rate, double storedRate,
                                 const EuroRateOrigin& storedOrigin, const QDate& today)
{
    if (fromWeb)
        return {EuroRateSource::CentralBank, today};
    if (rate == storedRate)
        return storedOrigin;
    return {EuroRateSource::Manual, today};
}
