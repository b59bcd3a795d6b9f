#pragma once

#include "core/net/EuroRateOrigin.h"
#include "core/text/NumberFormat.h"

#include <QLabel>

// The euro rate in use with its date and source, shown beside the order's
// totals; red, with a tool tip saying how old it is, when it is stale.
class RateLabel : public QLabel
{
    Q_OBJECT
public:
    RateLabel(const TFormatSettings& format, QWidget* parent);

    // The rate the start-up sequence settled on and where it came from.
    void start(double roublesPerEuro, const EuroRateOrigin& origin, const QDate& today);
    // Shows the rate in use now. After the start a different rate can only
    // have been typed by the user, so it counts as entered by hand today.
    void refresh(double roublesPerEuro, const QDate& today);

private:
    TFormatSettings m_format;
    double m_rate = 0;
    EuroRateOrigin m_origin;
    bool m_started = false;
};
