#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A product of the demo catalogue; texts are Windows-1251 bytes.
struct DemoProduct
{
    std::string SKU;
    std::string Name;
    double Price = 0; // euros
    int MinQuantity = 0;
    int Packing = 0;
    double Volume = 0; // thousandths of a cubic metre per piece
    double Weight = 0; // kilograms per piece
    std::string Image; // picture names separated by ";"
};

// A small deterministic generator, so that every run writes the same catalogue.
class DemoRandom
{
public:
    explicit DemoRandom(uint64_t seed) : m_state(seed) {}
    uint64_t Next();
    // Uniform in [0, bound).
    int Below(int bound);
    double Between(double low, double high);

private:
    uint64_t m_state;
};

// The index-th product (from 0); article codes are unique across indexes.
// Pictures are chosen among pictureNames and shared between products.
DemoProduct MakeDemoProduct(int index, const std::vector<std::string>& pictureNames,
                            DemoRandom& random);
