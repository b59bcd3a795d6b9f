#include "DemoProducts.h"

#include "core/text/Cp1251.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

// One kind of product: its article prefix, its picture motif, a few names
// (UTF-8) and the ranges its products fall in.
struct Kind
{
    const char* Prefix;
    DemoMotif Motif;
    std::array<const char*, 4> Items; // nullptr ends the list
    std::array<const char*, 4> Sizes; // written after the series; nullptr ends the list
    double MinPrice, MaxPrice;        // euros
    double MinVolume, MaxVolume;      // litres per piece, packaging included
    double MinWeight, MaxWeight;      // kilograms per piece
    std::array<int, 4> Packings;      // pieces per box; 0 ends the list
};

constexpr std::array<Kind, 26> kKinds = {{
    {"KR",
     DemoMotif::Mug,
     {"Кружка керамическая", "Кружка фарфоровая", "Кружка-хамелеон", "Кружка с ложкой"},
     {"300 мл", "350 мл", "400 мл", nullptr},
     1.2,
     9.0,
     0.9,
     1.6,
     0.3,
     0.45,
     {6, 12, 24, 36}},
    {"SV",
     DemoMotif::Candle,
     {"Свеча ароматическая", "Свеча декоративная", "Свеча в стакане", "Набор свечей"},
     {"5x8 см", "7x10 см", "7x15 см", nullptr},
     0.3,
     12.0,
     0.4,
     0.9,
     0.08,
     0.4,
     {12, 24, 48, 0}},
    {"PS",
     DemoMotif::Candle,
     {"Подсвечник стеклянный", "Подсвечник металлический", "Подсвечник-фонарь", nullptr},
     {"10 см", "18 см", "25 см", nullptr},
     2.0,
     35.0,
     1.2,
     6.0,
     0.3,
     1.4,
     {4, 6, 12, 0}},
    {"ES",
     DemoMotif::Bauble,
     {"Шар ёлочный", "Шар ёлочный с декором", "Набор ёлочных шаров", nullptr},
     {"6 см", "8 см", "10 см", nullptr},
     0.3,
     14.0,
     0.4,
     2.5,
     0.02,
     0.5,
     {12, 24, 48, 72}},
    {"EI",
     DemoMotif::Bauble,
     {"Ёлочная игрушка", "Фигурка ёлочная", "Сосулька ёлочная", "Звезда на ёлку"},
     {nullptr},
     0.4,
     9.0,
     0.4,
     1.2,
     0.02,
     0.12,
     {12, 24, 48, 0}},
    {"GR",
     DemoMotif::Tree,
     {"Гирлянда светодиодная", "Гирлянда-бахрома", "Мишура", nullptr},
     {"2 м", "5 м", "10 м", nullptr},
     0.8,
     25.0,
     0.5,
     2.5,
     0.05,
     0.6,
     {6, 12, 24, 0}},
    {"RF",
     DemoMotif::Frame,
     {"Рамка для фото", "Фоторамка", "Фоторамка-коллаж", nullptr},
     {"10x15", "13x18", "15x21", "21x30"},
     0.8,
     18.0,
     0.5,
     2.5,
     0.15,
     0.9,
     {6, 12, 24, 0}},
    {"FG",
     DemoMotif::Figure,
     {"Статуэтка", "Фигурка декоративная", "Статуэтка «Ангел»", nullptr},
     {"9 см", "15 см", "22 см", nullptr},
     2.0,
     60.0,
     0.6,
     6.0,
     0.1,
     1.5,
     {4, 6, 12, 0}},
    {"VZ",
     DemoMotif::Vase,
     {"Ваза стеклянная", "Ваза керамическая", "Ваза напольная", nullptr},
     {"20 см", "30 см", "60 см", nullptr},
     4.0,
     150.0,
     3.0,
     30.0,
     0.8,
     6.0,
     {1, 2, 4, 6}},
    {"SK",
     DemoMotif::GiftBox,
     {"Шкатулка для украшений", "Шкатулка музыкальная", "Шкатулка деревянная", nullptr},
     {nullptr},
     3.0,
     45.0,
     0.8,
     3.0,
     0.2,
     0.9,
     {4, 6, 12, 0}},
    {"KP",
     DemoMotif::Figure,
     {"Копилка керамическая", "Копилка «Символ года»", nullptr, nullptr},
     {nullptr},
     1.5,
     12.0,
     0.9,
     2.2,
     0.25,
     0.7,
     {6, 12, 24, 0}},
    {"CN",
     DemoMotif::Mug,
     {"Чайная пара", "Сервиз чайный на 6 персон", "Набор чайный", nullptr},
     {nullptr},
     5.0,
     90.0,
     2.0,
     14.0,
     0.6,
     3.5,
     {1, 2, 4, 0}},
    {"BK",
     DemoMotif::Glass,
     {"Набор бокалов для вина", "Набор стаканов", "Бокал для шампанского", nullptr},
     {"200 мл", "350 мл", nullptr, nullptr},
     3.0,
     50.0,
     1.0,
     9.0,
     0.25,
     2.0,
     {2, 4, 6, 0}},
    {"PL",
     DemoMotif::Textile,
     {"Плед флисовый", "Плед шерстяной", "Подушка декоративная", nullptr},
     {"40x40 см", "130x150 см", "150x200 см", nullptr},
     5.0,
     45.0,
     4.0,
     20.0,
     0.4,
     1.8,
     {2, 4, 8, 0}},
    {"CH",
     DemoMotif::Clock,
     {"Часы настенные", "Часы настольные", "Будильник", nullptr},
     {nullptr},
     4.0,
     60.0,
     1.0,
     6.0,
     0.2,
     1.2,
     {2, 4, 6, 12}},
    {"MG",
     DemoMotif::Frame,
     {"Магнит сувенирный", "Магнит на холодильник", nullptr, nullptr},
     {nullptr},
     0.3,
     2.5,
     0.4,
     0.4,
     0.01,
     0.05,
     {24, 50, 100, 0}},
    {"BR",
     DemoMotif::Figure,
     {"Брелок", "Брелок металлический", "Брелок-открывалка", nullptr},
     {nullptr},
     0.3,
     5.0,
     0.4,
     0.4,
     0.01,
     0.06,
     {12, 24, 48, 100}},
    {"KL",
     DemoMotif::Bauble,
     {"Колокольчик сувенирный", "Колокольчик новогодний", nullptr, nullptr},
     {nullptr},
     0.5,
     8.0,
     0.4,
     0.8,
     0.03,
     0.2,
     {12, 24, 48, 0}},
    {"SN",
     DemoMotif::Figure,
     {"Снеговик декоративный", "Дед Мороз под ёлку", "Снегурочка под ёлку", nullptr},
     {"15 см", "30 см", "60 см", nullptr},
     3.0,
     80.0,
     1.5,
     25.0,
     0.2,
     2.5,
     {2, 4, 6, 0}},
    {"VN",
     DemoMotif::Tree,
     {"Венок новогодний", "Композиция новогодняя", "Ёлка настольная", nullptr},
     {"25 см", "35 см", "50 см", nullptr},
     4.0,
     40.0,
     3.0,
     20.0,
     0.3,
     1.5,
     {2, 4, 6, 0}},
    {"AR",
     DemoMotif::Vase,
     {"Аромадиффузор", "Аромасаше", "Аромалампа", nullptr},
     {"50 мл", "100 мл", nullptr, nullptr},
     2.0,
     20.0,
     0.4,
     1.5,
     0.05,
     0.5,
     {6, 12, 24, 0}},
    {"PU",
     DemoMotif::GiftBox,
     {"Пакет подарочный", "Коробка подарочная", "Бумага упаковочная", nullptr},
     {"малый", "средний", "большой", nullptr},
     0.3,
     6.0,
     0.4,
     4.0,
     0.02,
     0.3,
     {12, 24, 50, 100}},
    {"ZR",
     DemoMotif::Frame,
     {"Зеркало настенное", "Зеркало настольное", nullptr, nullptr},
     {nullptr},
     8.0,
     120.0,
     2.0,
     30.0,
     0.5,
     6.0,
     {1, 2, 4, 0}},
    {"FA",
     DemoMotif::Book,
     {"Фотоальбом на 100 фото", "Фотоальбом магнитный", "Блокнот подарочный",
      "Ежедневник в кожаной обложке"},
     {nullptr},
     1.5,
     30.0,
     0.6,
     3.0,
     0.2,
     1.2,
     {6, 10, 20, 0}},
    {"TR",
     DemoMotif::Glass,
     {"Термокружка", "Термос", "Бутылка для воды", nullptr},
     {"350 мл", "500 мл", "750 мл", nullptr},
     3.0,
     28.0,
     1.0,
     3.5,
     0.2,
     0.7,
     {6, 12, 24, 0}},
    {"TS",
     DemoMotif::Textile,
     {"Полотенце кухонное", "Набор салфеток", "Скатерть праздничная", nullptr},
     {nullptr},
     1.0,
     30.0,
     0.4,
     4.0,
     0.05,
     1.0,
     {6, 12, 24, 0}},
}};

constexpr int kPicturesPerKind = 4;

constexpr std::array<const char*, 20> kSeries = {
    "Классика", "Зимняя сказка", "Акварель", "Уют",    "Метелица",
    "Лаванда",  "Снежинка",      "Империал", "Гжель",  "Вдохновение",
    "Nordic",   "Vintage",       "Loft",     "Royal",  "Scandi",
    "Bella",    "Прованс",       "Морозко",  "Винтаж", "Северное сияние",
};

constexpr std::array<const char*, 12> kColours = {
    "белый",    "красный", "золотой", "серебряный", "синий",  "зелёный",
    "бордовый", "розовый", "бежевый", "голубой",    "чёрный", "прозрачный",
};

constexpr std::array<const char*, 5> kExtras = {
    ", в подарочной коробке",
    ", с гравировкой",
    ", ручная работа",
    ", в ассортименте",
    // Longer than a name may be: the program keeps its first 100 characters.
    ", в подарочной упаковке с индивидуальной гравировкой логотипа компании и поздравительной "
    "открыткой",
};

template <std::size_t N> int CountOf(const std::array<const char*, N>& list)
{
    return static_cast<int>(std::find(list.begin(), list.end(), nullptr) - list.begin());
}

template <class T, std::size_t N> const T& Pick(const std::array<T, N>& list, DemoRandom& random)
{
    return list[static_cast<std::size_t>(random.Below(static_cast<int>(N)))];
}

double RoundTo(double value, double step)
{
    return std::round(value / step) * step;
}

std::string PictureName(const Kind& kind, int number)
{
    std::string name = kind.Prefix;
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name + "_" + std::to_string(number) + ".jpg";
}

// Four digits from 1000 to 9999, spread over the range; once a kind has used
// all 9000, five digits, and so on, so codes never repeat.
std::string ArticleCode(const Kind& kind, long long serial)
{
    long long first = 1000;
    long long capacity = 9000;
    while (serial >= capacity) {
        serial -= capacity;
        first *= 10;
        capacity *= 10;
    }
    // 7919 shares no factor with 9 * 10^k, so the step visits every code once.
    return std::string(kind.Prefix) + "-" + std::to_string(first + (serial * 7919 + 23) % capacity);
}

std::string ProductName(const Kind& kind, DemoRandom& random)
{
    std::string name = kind.Items[static_cast<std::size_t>(random.Below(CountOf(kind.Items)))];
    // A name that already carries a title in guillemets takes no series.
    if (random.Below(100) < 85 && name.find("«") == std::string::npos)
        name += std::string(" «") + Pick(kSeries, random) + "»";
    if (const int sizes = CountOf(kind.Sizes); sizes > 0)
        name += std::string(", ") + kind.Sizes[static_cast<std::size_t>(random.Below(sizes))];
    if (random.Below(100) < 70)
        name += std::string(", ") + Pick(kColours, random);
    const int extra = random.Below(200);
    if (extra < 40)
        name += kExtras[static_cast<std::size_t>(extra % 4)];
    else if (extra == 199)
        name += kExtras[4];
    return Cp(name);
}

// One to four different pictures of the product's kind, the main one first.
std::string ProductPictures(const Kind& kind, DemoRandom& random)
{
    const int roll = random.Below(10);
    const int count = roll < 4 ? 1 : roll < 7 ? 2 : roll < 9 ? 3 : 4;
    const int first = random.Below(kPicturesPerKind);
    std::string image;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            image += ';';
        image += PictureName(kind, 1 + (first + i) % kPicturesPerKind);
    }
    return image;
}

} // namespace

uint64_t DemoRandom::Next()
{
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int DemoRandom::Below(int bound)
{
    return static_cast<int>(Next() % static_cast<uint64_t>(bound));
}

double DemoRandom::Between(double low, double high)
{
    const double unit = static_cast<double>(Next() >> 11) / 9007199254740992.0; // 2^53
    return low + (high - low) * unit;
}

std::vector<DemoPicture> DemoPictureSet()
{
    std::vector<DemoPicture> pictures;
    int variant = 0;
    for (const Kind& kind : kKinds) {
        for (int n = 1; n <= kPicturesPerKind; ++n)
            pictures.push_back({PictureName(kind, n), kind.Motif, variant++});
    }
    return pictures;
}

TDemoAssortment::TDemoAssortment(uint64_t seed) : m_random(seed), m_issued(kKinds.size(), 0) {}

DemoProduct TDemoAssortment::Next()
{
    const std::size_t kindIndex = static_cast<std::size_t>(m_random.Below(kKinds.size()));
    const Kind& kind = kKinds[kindIndex];

    DemoProduct product;
    product.SKU = ArticleCode(kind, m_issued[kindIndex]++);
    product.Name = ProductName(kind, m_random);
    // Cheap articles are the many: the square leans towards the low end.
    const double unit = m_random.Between(0, 1);
    product.Price = std::clamp(
        RoundTo(kind.MinPrice + (kind.MaxPrice - kind.MinPrice) * unit * unit, 0.01), 0.3, 150.0);
    product.Packing = kind.Packings[static_cast<std::size_t>(m_random.Below(static_cast<int>(
        std::find(kind.Packings.begin(), kind.Packings.end(), 0) - kind.Packings.begin())))];
    const int boxes = m_random.Below(20);
    product.MinQuantity = product.Packing * (boxes < 15 ? 1 : boxes < 19 ? 2 : 3);
    product.Volume =
        std::clamp(RoundTo(m_random.Between(kind.MinVolume, kind.MaxVolume), 0.01), 0.4, 30.0);
    product.Weight =
        std::max(0.01, RoundTo(m_random.Between(kind.MinWeight, kind.MaxWeight), 0.001));
    product.Image = ProductPictures(kind, m_random);
    return product;
}
