#include "DemoCheck.h"

#include "DemoTimeStamp.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/Prices.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <QDateTime>
#include <QLocale>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

void Require(bool condition, const std::string& what)
{
    if (!condition)
        throw std::runtime_error("self-check: " + what);
}

void CheckProduct(const CatalogueEntry& entry, const std::filesystem::path& images,
                  std::set<std::string>& pictures)
{
    const std::string sku = entry.SKU.Str();
    Require(entry.Price >= 0.3 && entry.Price <= 150, sku + ": price out of range");
    Require(entry.Packing > 0 && entry.MinQuantity % entry.Packing == 0 && entry.MinQuantity > 0,
            sku + ": minimum quantity is not a whole number of boxes");
    Require(entry.Volume >= 0.4 && entry.Volume <= 30, sku + ": volume out of range");
    Require(entry.Weight > 0, sku + ": no weight");
    std::string_view list = entry.Image.View();
    int count = 0;
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(';'), list.size());
        const std::string name(list.substr(0, end));
        list.remove_prefix(std::min(end + 1, list.size()));
        ++count;
        if (pictures.insert(name).second)
            Require(std::filesystem::is_regular_file(images / name), "missing picture " + name);
    }
    Require(count >= 1 && count <= 4, sku + ": not one to four pictures");
}

} // namespace

void CheckDemoCatalogue(const std::filesystem::path& folder, int productCount,
                        const QLocale& locale, const QDateTime& stamp)
{
    bool pathOk = false;
    Catalogue catalogue;
    Prices prices;
    catalogue.setDatabasePath(Utf8ToCp1251((folder / "telvarin.db").string(), &pathOk));
    Require(pathOk, "the folder's path has no Windows-1251 form");
    bool optionsOk = true;
    const TFormatSettings format = FormatFromLocale(locale);
    LoadCatalogueData(catalogue, prices, "", MakeDotNumberFormat(format), format,
                      [&optionsOk] { optionsOk = false; });
    Require(optionsOk, "the options do not read");
    Require(ReadsBackAs(catalogue.timeStamp(), locale, stamp), "the time stamp does not read back");
    Require(prices.euroIndex() == 1.005, "EuroIndex is not 1.005");
    Require(catalogue.count() == productCount, "product count differs");

    std::set<std::string> skus;
    std::set<std::string> pictures;
    for (const CatalogueEntry& entry : catalogue.entries()) {
        Require(skus.insert(entry.SKU.Str()).second, "article code repeats: " + entry.SKU.Str());
        CheckProduct(entry, folder / "img", pictures);
    }
}
