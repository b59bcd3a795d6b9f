#include "BenchReport.h"
#include "BenchSession.h"
#include "Measurements.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

namespace Bench {

void MeasureStartup(const Profile& profile, const CatalogueFolder& large,
                    const CatalogueFolder& small)
{
    Heading("Start-up to the main window (five windows, FormShow with the rate prompt answered "
            "and the network failing at once, show, first rendering)");
    // The process's first start-up also loads and starts the HTML engine of the
    // preview window.
    const double cold = Session(profile, large).StartupMs;
    std::vector<double> largeTimes;
    std::vector<double> smallTimes;
    for (int i = 0; i < kRuns; ++i) {
        smallTimes.push_back(Session(profile, small).StartupMs);
        largeTimes.push_back(Session(profile, large).StartupMs);
    }
    Catalogue catalogue;
    Prices prices;
    catalogue.setDatabasePath(ToCp1251(large.Database));
    const TFormatSettings format = FormatFromLocale(QLocale::system());
    const TFormatSettings dot = MakeDotNumberFormat(format);
    const double load =
        MedianMs([&] { LoadCatalogueData(catalogue, prices, "", dot, format, {}); });

    const double largeMs = Median(largeTimes);
    const double smallMs = Median(smallTimes);
    Figure("first start-up in the process, 100,000 products", cold);
    Compared("start-up, 100,000 products", largeMs, smallMs);
    Figure("start-up, 1 product (baseline)", smallMs);
    Figure("catalogue load alone, 100,000 products (baseline)", load);
    Figure("start-up beyond the catalogue load, 100,000 products", largeMs - load);
    Verdict("below 1,500 ms (100,000 products)", std::max(cold, largeMs) < 1500);
}

} // namespace Bench
