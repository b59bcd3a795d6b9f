#include "gui/RateLabel.h"

#include "core/net/RateDisplay.h"

RateLabel::RateLabel(const TFormatSettings& format, QWidget* parent)
    : QLabel(parent), m_format(format)
{
    setObjectName(QStringLiteral("euroRateLabel"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void RateLabel::start(double roublesPerEuro, const EuroRateOrigin& origin, const QDate& today)
{
    m_started = true;
    m_rate = roublesPerEuro;
    m_origin = origin;
    refresh(roublesPerEuro, today);
}

void RateLabel::refresh(double roublesPerEuro, const QDate& today)
{
    if (!m_started)
        return;
    if (roublesPerEuro != m_rate) {
        m_rate = roublesPerEuro;
        m_origin = {EuroRateSource::Manual, today};
    }
    const RateDisplay display = DescribeEuroRate(m_rate, m_origin, today, m_format);
    setText(display.text);
    setToolTip(display.toolTip);
    // An empty palette takes the window's colours again.
    QPalette colours;
    if (display.stale)
        colours.setColor(QPalette::WindowText, Qt::red);
    setPalette(colours);
}
