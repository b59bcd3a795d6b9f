#include "core/net/EuroRate.h"

#include "core/seams/HttpClient.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <QDate>
#include <algorithm>
#include <cstdio>

std::string EuroRateUrl(const QDate& day)
{
    char date[48];
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", day.day(), day.month(), day.year());
    return std::string("http://www.cbr.ru/currency_base/daily.aspx?date_req=") + date;
}

double ParseEuroRatePage(const std::string& body, const TFormatSettings& dotFormat)
{
    // A page that is not clean UTF-8 converts to nothing, so it has no euro cell.
    const std::string text = Utf8ToCp1251(body);
    static const std::string euroCell = "<td>" + Cp("Евро") + "</td>";
    const std::string_view cellOpen = "<td>";
    const std::string_view cellClose = "</td>";

    const std::size_t euro = text.find(euroCell);
    if (euro == std::string::npos)
        return 0;
    const std::size_t open = text.find(cellOpen, euro + euroCell.size());
    if (open == std::string::npos)
        return 0;
    const std::size_t cellStart = open + cellOpen.size();
    const std::size_t close = text.find(cellClose, cellStart);
    std::string cell =
        close == std::string::npos ? std::string() : text.substr(cellStart, close - cellStart);
    std::replace(cell.begin(), cell.end(), ',', '.');

    double value = 0;
    if (!TryStrToFloat(cell, value, dotFormat))
        return 0;
    // A rate that is not positive is as good as none: the caller then asks the
    // user instead of pricing the catalogue with it.
    if (!(value > 0))
        return 0;
    return RoundToHundredths(value);
}

double FetchEuroRate(IHttpClient& http, const QDate& today, const TFormatSettings& dotFormat)
{
    try {
        if (!today.isValid())
            return 0;
        return ParseEuroRatePage(http.Get(EuroRateUrl(today)), dotFormat);
    } catch (...) {
        // Whatever went wrong, the caller falls back to the stored rate.
        return 0;
    }
}
