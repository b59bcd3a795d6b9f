#pragma once

#include <string>

class IHttpClient;
class QDate;
struct TFormatSettings;

// The central bank's daily rates page for `day`, whose date is written
// DD.MM.YYYY with leading zeros.
std::string EuroRateUrl(const QDate& day);

// The euro rate on a rates page given as it was served (UTF-8): the cell after
// the one that reads exactly "Евро", decimal comma accepted, rounded to
// hundredths. 0 when the page is not valid UTF-8, has no euro cell, or the
// cell holds no positive number.
double ParseEuroRatePage(const std::string& body, const TFormatSettings& dotFormat);

// Today's euro rate in roubles from the web, or exactly 0 when it could not be
// had for any reason. Never raises and shows nothing.
double FetchEuroRate(IHttpClient& http, const QDate& today, const TFormatSettings& dotFormat);
