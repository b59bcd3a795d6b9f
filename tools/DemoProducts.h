#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A product of the demo catalogue; texts are Windows-1251 bytes.
struct DemoProduct
{
    std::string SKU; // two capitals, a dash, four digits ("KR-1023"); more digits past 9000 a kind
    std::string Name;
    double Price = 0;    // euros, 0.30 to 150
    int MinQuantity = 0; // a whole number of boxes
    int Packing = 0;     // pieces per box
    double Volume = 0;   // thousandths of a cubic metre per piece, 0.4 to 30
    double Weight = 0;   // kilograms per piece
    std::string Image;   // one to four picture names separated by ";"
};

// What a picture shows; each kind of product has its own.
enum class DemoMotif
{
    Mug,
    Candle,
    Bauble,
    Frame,
    GiftBox,
    Vase,
    Figure,
    Tree,
    Textile,
    Clock,
    Glass,
    Book,
};

// One picture file of the demo catalogue.
struct DemoPicture
{
    std::string FileName; // "kr_2.jpg"
    DemoMotif Motif;
    int Variant; // picks colours and size
};

// A small deterministic generator (splitmix64), so that a seed always gives
// the same catalogue on every machine.
class DemoRandom
{
public:
    explicit DemoRandom(uint64_t seed) : m_state(seed) {}
    uint64_t Next();
    // Uniform in [0, bound).
    int Below(int bound);
    // Uniform in [low, high).
    double Between(double low, double high);

private:
    uint64_t m_state;
};

// Every picture the products may name: a few per kind of product.
std::vector<DemoPicture> DemoPictureSet();

// Hands out the products of one catalogue. Article codes never repeat.
class TDemoAssortment
{
public:
    explicit TDemoAssortment(uint64_t seed);
    DemoProduct Next();

private:
    DemoRandom m_random;
    std::vector<long long> m_issued; // article codes handed out, per kind
};
