#pragma once

#include <QDate>

// Where the euro rate in use came from and on which day, so that the window
// can show how fresh it is.
enum class EuroRateSource
{
    Unknown, // a rate kept by an older version of the program
    CentralBank,
    Manual
};

struct EuroRateOrigin
{
    EuroRateSource source = EuroRateSource::Unknown;
    QDate date; // null when unknown

    bool operator==(const EuroRateOrigin&) const = default;
};
