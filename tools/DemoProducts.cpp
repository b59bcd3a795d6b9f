#include "DemoProducts.h"

#include "app/Cp1251.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

struct Category
{
    const char* Prefix;
    const char* Item; // UTF-8
    double MinPrice;
    double MaxPrice;
    double Volume;
    double Weight;
};

constexpr std::array<Category, 24> kCategories = {{
    {"KR", "Кружка керамическая", 1.2, 6.5, 1.1, 0.35},
    {"RS", "Ручка шариковая", 0.2, 3.8, 0.05, 0.02},
    {"BL", "Блокнот А5", 1.5, 9.0, 0.6, 0.3},
    {"ED", "Ежедневник датированный", 3.5, 24.0, 1.2, 0.55},
    {"ZT", "Зонт-трость", 4.0, 19.0, 2.4, 0.45},
    {"TR", "Термос 0,5 л", 5.0, 21.0, 1.8, 0.4},
    {"BR", "Брелок", 0.3, 4.5, 0.03, 0.02},
    {"CH", "Часы настенные", 6.0, 32.0, 3.5, 0.6},
    {"FT", "Футболка хлопковая", 2.0, 8.5, 0.9, 0.18},
    {"BS", "Бейсболка", 1.5, 6.0, 1.5, 0.1},
    {"SM", "Сумка для покупок", 0.9, 7.0, 0.4, 0.12},
    {"RK", "Рюкзак городской", 8.0, 45.0, 12.0, 0.8},
    {"FL", "Флеш-накопитель 16 ГБ", 3.0, 11.0, 0.05, 0.03},
    {"AK", "Внешний аккумулятор", 6.0, 28.0, 0.3, 0.25},
    {"NR", "Набор ручек в футляре", 4.0, 35.0, 0.4, 0.2},
    {"MG", "Магнит на холодильник", 0.2, 1.9, 0.01, 0.01},
    {"KL", "Календарь настольный", 0.8, 4.0, 0.7, 0.15},
    {"VZ", "Визитница", 1.5, 12.0, 0.1, 0.08},
    {"PL", "Плед флисовый", 5.0, 22.0, 6.0, 0.7},
    {"SV", "Светильник светодиодный", 4.5, 30.0, 1.6, 0.4},
    {"NV", "Набор для вина", 7.0, 48.0, 2.2, 0.9},
    {"CN", "Чайный набор", 9.0, 55.0, 4.0, 1.6},
    {"EI", "Ёлочная игрушка", 0.5, 6.0, 0.2, 0.05},
    {"RF", "Рамка для фото 10x15", 1.0, 7.5, 0.5, 0.25},
}};

constexpr std::array<const char*, 16> kSeries = {
    "Классика", "Север",  "Маяк",   "Акварель", "Гранд", "Престиж", "Вояж",  "Лайт",
    "Орион",    "Радуга", "Сакура", "Вектор",   "Бриз",  "Кантри",  "Метро", "Зенит",
};

constexpr std::array<const char*, 10> kColours = {
    "белый",  "чёрный",    "синий", "красный", "зелёный",
    "жёлтый", "оранжевый", "серый", "голубой", "бордовый",
};

constexpr std::array<const char*, 5> kExtras = {
    "",
    ", с логотипом",
    ", в подарочной коробке",
    ", с гравировкой",
    " в подарочной упаковке с индивидуальной гравировкой логотипа компании и поздравительной "
    "открыткой",
};

constexpr std::array<int, 7> kMinQuantities = {1, 5, 10, 20, 25, 50, 100};

double RoundTo(double value, double step)
{
    return std::round(value / step) * step;
}

// Two letters, a dash and five digits. The digits alone are unique for the
// first 90000 products; later blocks take prefixes of their own.
std::string ArticleCode(int index, const Category& category)
{
    constexpr int kCodes = 90000;
    const int block = index / kCodes;
    const long code = 10000 + (static_cast<long>(index % kCodes) * 7919) % kCodes;
    std::string prefix = category.Prefix;
    if (block > 0) {
        prefix[0] = static_cast<char>('Q' + (block - 1) % 10);
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05ld", code);
    return prefix + "-" + digits;
}

std::string Pictures(int index, const std::vector<std::string>& names, DemoRandom& random)
{
    if (names.empty() || index % 97 == 13)
        return {}; // a few products come without a picture
    const int count = index % 11 == 3 ? 2 + random.Below(3) : 1;
    std::string image;
    int pick = random.Below(static_cast<int>(names.size()));
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            image += ';';
        image += names[static_cast<std::size_t>(pick)];
        pick = (pick + 1 + random.Below(5)) % static_cast<int>(names.size());
    }
    return image;
}

} // namespace

uint64_t DemoRandom::Next()
{
    // splitmix64
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

DemoProduct MakeDemoProduct(int index, const std::vector<std::string>& pictureNames,
                            DemoRandom& random)
{
    const Category& category =
        kCategories[static_cast<std::size_t>(random.Below(kCategories.size()))];
    const char* series = kSeries[static_cast<std::size_t>(random.Below(kSeries.size()))];
    const char* colour = kColours[static_cast<std::size_t>(random.Below(kColours.size()))];
    const int extra = random.Below(40);
    const char* suffix = extra < 4     ? kExtras[static_cast<std::size_t>(extra)]
                         : extra == 39 ? kExtras[4]
                                       : "";

    DemoProduct product;
    product.SKU = ArticleCode(index, category);
    product.Name = Cp(std::string(category.Item) + " «" + series + "», цвет: " + colour + suffix);
    product.Price = RoundTo(random.Between(category.MinPrice, category.MaxPrice), 0.01);
    product.MinQuantity =
        kMinQuantities[static_cast<std::size_t>(random.Below(kMinQuantities.size()))];
    product.Packing =
        product.MinQuantity * (1 + random.Below(10)) * (product.MinQuantity < 10 ? 10 : 1);
    product.Volume = RoundTo(category.Volume * random.Between(0.7, 1.3), 0.001);
    product.Weight = RoundTo(category.Weight * random.Between(0.8, 1.2), 0.001);
    product.Image = Pictures(index, pictureNames, random);
    return product;
}
