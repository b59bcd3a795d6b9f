#include "core/net/RateDisplay.h"
#include "core/text/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(RateDisplay, ShowsTheRateWithItsSourceAndWarnsWhenItIsOld)
{
    const QDate today(2026, 12, 8); // as the clock gives it
    const TFormatSettings russian{',', '.', ':', "DMY"};
    const TFormatSettings american{'.', '/', ':', "MDY"};
    const QString renew = QStringLiteral(" дн. Обновить его можно командой «Указать курс евро» в "
                                         "меню «Настройки».");
    const struct
    {
        double rate;
        EuroRateOrigin origin;
        const TFormatSettings& format;
        QString text;
        QString toolTip; // empty when the rate is fresh
    } cases[] = {
        {80.4,
         {EuroRateSource::CentralBank, today},
         russian,
         QStringLiteral("Курс евро: 80,40 руб. (ЦБ РФ на 08.12.2026)"),
         {}},
        {80.404,
         {EuroRateSource::Manual, today.addDays(-3)},
         russian,
         QStringLiteral("Курс евро: 80,40 руб. (введён вручную 05.12.2026)"),
         {}},
        {91.5,
         {EuroRateSource::CentralBank, today.addDays(-4)},
         russian,
         QStringLiteral("Курс евро: 91,50 руб. (ЦБ РФ на 04.12.2026)"),
         QStringLiteral("Курсу 4") + renew},
        {91.5,
         {EuroRateSource::Manual, QDate(2026, 1, 2)},
         american,
         QStringLiteral("Курс евро: 91.50 руб. (введён вручную 01/02/2026)"),
         QStringLiteral("Курсу 340") + renew},
        // Unknown origin, or a date after today: nothing to judge by.
        {75, {}, russian, QStringLiteral("Курс евро: 75,00 руб."), {}},
        {75,
         {EuroRateSource::CentralBank, today.addDays(9)},
         russian,
         QStringLiteral("Курс евро: 75,00 руб. (ЦБ РФ на 17.12.2026)"),
         {}},
    };
    for (const auto& c : cases) {
        const RateDisplay display = DescribeEuroRate(c.rate, c.origin, today, c.format);
        EXPECT_EQ(display.text, c.text);
        EXPECT_EQ(display.stale, !c.toolTip.isEmpty()) << c.text.toStdString();
        EXPECT_EQ(display.toolTip, c.toolTip);
    }
}

TEST(RateDisplay, StartupTellsWhereTheRateCameFrom)
{
    const QDate today(2026, 12, 8);
    const EuroRateOrigin stored{EuroRateSource::CentralBank, QDate(2026, 11, 30)};
    EXPECT_EQ(StartupRateOrigin(true, 90, 0, {}, today),
              (EuroRateOrigin{EuroRateSource::CentralBank, today}));
    // The stored rate confirmed at the prompt is as old as it was.
    EXPECT_EQ(StartupRateOrigin(false, 89.5, 89.5, stored, today), stored);
    EXPECT_EQ(StartupRateOrigin(false, 91, 89.5, stored, today),
              (EuroRateOrigin{EuroRateSource::Manual, today}));
}

} // namespace
