#pragma once

// The numbers that turn the catalogue's euro prices into roubles: the euro
// rate, the catalogue's own factor and their product. The product is formed
// only when asked for, at the moments the program recomputes it (a catalogue
// load, the euro-rate command), so a rate taken at start-up changes no price
// until the catalogue is loaded.
class Prices
{
public:
    static constexpr double kDefaultEuroIndex = 1.005;

    Prices() = default;
    Prices(double euroRate, double euroIndex, double priceFactor)
        : m_euroRate(euroRate), m_euroIndex(euroIndex), m_priceFactor(priceFactor)
    {}

    double euroRate() const { return m_euroRate; }
    double euroIndex() const { return m_euroIndex; }
    // Roubles per euro of a catalogue price; 0 until first computed.
    double priceFactor() const { return m_priceFactor; }

    void setEuroRate(double roublesPerEuro) { m_euroRate = roublesPerEuro; }
    void setEuroIndex(double index) { m_euroIndex = index; }
    void resetEuroIndex() { m_euroIndex = kDefaultEuroIndex; }
    // priceFactor := euroRate x euroIndex, formed as every product of the
    // program is: in extended precision, rounded once.
    void recomputePriceFactor();

private:
    double m_euroRate = 0;
    double m_euroIndex = kDefaultEuroIndex;
    double m_priceFactor = 0;
};
