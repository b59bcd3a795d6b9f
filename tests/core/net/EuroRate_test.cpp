#include "core/net/EuroRate.h"

#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "support/FakeHttpClient.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

// A rates table in the shape the central bank serves, with `euroRate` in the
// euro row's rate cell.
std::string RatesPage(const std::string& euroRate)
{
    return "<html><body><table class=\"data\">\r\n"
           "<tr><th>Цифр. код</th><th>Букв. код</th><th>Единиц</th><th>Валюта</th>"
           "<th>Курс</th></tr>\r\n"
           "<tr><td>840</td><td>USD</td><td>1</td><td>Доллар США</td><td>79,5012</td></tr>\r\n"
           "<tr>\r\n  <td>978</td>\r\n  <td>EUR</td>\r\n  <td>1</td>\r\n  <td>Евро</td>\r\n"
           "  <td>" +
           euroRate +
           "</td>\r\n</tr>\r\n"
           "<tr><td>826</td><td>GBP</td><td>1</td><td>Фунт стерлингов</td><td>101,20</td></tr>\r\n"
           "</table></body></html>";
}

std::string Cp1251Page()
{
    return Cp(RatesPage("89,1234"));
}

const TFormatSettings kDot = MakeDotNumberFormat(TFormatSettings{',', '.', ':', "DMY"});

TEST(EuroRatePage, ReadsTheCellAfterTheEuroCell)
{
    const struct
    {
        std::string body;
        double expected;
    } cases[] = {
        {RatesPage("89,1234"), 89.12},
        {RatesPage("89,1267"), 89.13},
        {RatesPage("90"), 90},
        {RatesPage(" 91.5 "), 91.5},
        // No rate to be had.
        {RatesPage("нет данных"), 0},
        {RatesPage(""), 0},
        {RatesPage("-89,12"), 0},
        {RatesPage("89,12,5"), 0},
        {"<td>Евро</td>", 0},
        {"<td>Евро</td><td>89,12", 0},
        {"<td>евро</td><td>89,12</td>", 0},
        {"<td>EUR</td><td>89,12</td>", 0},
        {"", 0},
        // Not UTF-8: a Windows-1251 page, a stray byte elsewhere on a good page.
        {Cp1251Page(), 0},
        {RatesPage("89,1234") + "\xFF", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ParseEuroRatePage(c.body, kDot), c.expected) << c.body;
}

TEST(EuroRateFetch, AsksForTheDayWrittenWithLeadingZeros)
{
    FakeHttpClient http;
    http.Bodies["http://www.cbr.ru/currency_base/daily.aspx?date_req=01.02.2026"] =
        RatesPage("89,1234");
    EXPECT_DOUBLE_EQ(FetchEuroRate(http, QDate(2026, 2, 1), kDot), 89.12);
    EXPECT_EQ(http.Requests.size(), 1u);

    EXPECT_EQ(EuroRateUrl(QDate(2026, 12, 31)),
              "http://www.cbr.ru/currency_base/daily.aspx?date_req=31.12.2026");
}

TEST(EuroRateFetch, NetworkFailureGivesZero)
{
    FakeHttpClient http;
    EXPECT_EQ(FetchEuroRate(http, QDate(2026, 3, 7), kDot), 0);
    EXPECT_EQ(http.Requests, std::vector<std::string>{
                                 "http://www.cbr.ru/currency_base/daily.aspx?date_req=07.03.2026"});
}

} // namespace
