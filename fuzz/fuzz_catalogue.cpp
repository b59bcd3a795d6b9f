// The catalogue loader on damaged catalogue files, into a catalogue and
// prices as the program holds them. A load either raises, leaving the previous catalogue or none,
// never a part of one, or fills a catalogue whose entries are numbered 1..n and whose texts fit
// their fields; the price factor follows the options whenever they were read.
#include "FuzzSupport.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/Prices.h"
#include "core/text/NumberFormat.h"

#include <array>
#include <cmath>
#include <sqlite3.h>

namespace {

void RemoveDatabase(const std::filesystem::path& file)
{
    std::error_code ignored;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix, ignored);
}

CatalogueEntry Sentinel()
{
    CatalogueEntry entry;
    entry.Number = 1;
    entry.SKU.Assign("previous");
    return entry;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::filesystem::path file = ScratchFile("catalogue.db");
    static const TFormatSettings dotFormat = MakeDotNumberFormat(TFormatSettings{});
    // The last: Cyrillic letters and "»" in Windows-1251, which the database
    // cannot judge.
    static const std::array<const char*, 4> filters = {"", "*", "a%b\"_", "\xB8%\xC0_\xBB"};
    // A damaged file may make SQLite ask for much memory; past this it fails
    // with "out of memory" instead of exhausting the fuzzer's limit.
    static const auto heapLimit = sqlite3_hard_heap_limit64(256 << 20);
    (void)heapLimit;

    RemoveDatabase(file);
    WriteScratchFile(file, data, size);

    Catalogue catalogue;
    Prices prices;
    catalogue.setDatabasePath(file.string());
    prices.setEuroRate(90.5);
    catalogue.replaceEntries({Sentinel()});

    bool optionsError = false;
    try {
        LoadCatalogueData(catalogue, prices, filters[size % filters.size()], dotFormat,
                          TFormatSettings{}, [&] { optionsError = true; });
    } catch (const std::exception&) {
        const bool previous =
            catalogue.count() == 1 && catalogue.entries()[0].SKU.View() == "previous";
        const bool none = catalogue.count() == 0;
        FUZZ_CHECK(previous || none);
        RemoveDatabase(file);
        return 0;
    }
    RemoveDatabase(file);

    const std::vector<CatalogueEntry>& entries = catalogue.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CatalogueEntry& entry = entries[i];
        FUZZ_CHECK(entry.Number == static_cast<int32_t>(i + 1));
        FUZZ_CHECK(entry.SKU.Length <= 14 && entry.Name.Length <= 100);
    }
    if (!optionsError) {
        FUZZ_CHECK(std::isfinite(prices.euroIndex()));
        FUZZ_CHECK(prices.priceFactor() == ExtendedProduct(prices.euroRate(), prices.euroIndex()));
    } else {
        FUZZ_CHECK(prices.euroIndex() == 1.005 || std::isfinite(prices.euroIndex()));
    }
    return 0;
}
