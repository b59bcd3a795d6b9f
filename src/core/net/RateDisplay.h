#pragma once

#include "core/net/EuroRateOrigin.h"

#include <QDate>
#include <QString>

struct TFormatSettings;

// The euro rate in use as the window shows it beside the totals.
struct RateDisplay
{
    // "Курс евро: 80,40 руб. (ЦБ РФ на 08.12.2026)"
    QString text;
    // More than three days old: shown in red, with `toolTip` saying how old
    // it is and how to renew it; the tool tip is empty otherwise.
    bool stale = false;
    QString toolTip;
};

RateDisplay DescribeEuroRate(double roublesPerEuro, const EuroRateOrigin& origin,
                             const QDate& today, const TFormatSettings& format);

// Where the rate taken at start-up came from: the central bank today when
// the web gave it; otherwise the user confirmed or typed it at the prompt,
// and a stored rate confirmed unchanged keeps the origin stored with it.
EuroRateOrigin StartupRateOrigin(bool fromWeb, double rate, double storedRate,
                                 const EuroRateOrigin& storedOrigin, const QDate& today);
