// Pasting a list of 1,000 article codes and quantities into an order over a
// 100,000-product catalogue: the whole catalogue read for the lookup (once
// per paste dialog), the code index built over it, then the list parsed,
// matched and judged, and its lines added to the order as one undo step.
// The baseline, in the same run, is the unfiltered catalogue load that the
// program makes at start-up.
//
//   paste_bench [folder]
//
// Without a folder the demo generator writes a catalogue into a temporary one.
#include "BenchProcess.h"
#include "BenchTiming.h"
#include "core/catalogue/ArticleCodeIndex.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/Prices.h"
#include "core/order/OrderHistory.h"
#include "core/order/PastedList.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kProducts = 100000;
constexpr int kPastedLines = 1000;
constexpr int kRuns = 9;

template <typename Action> double Time(Action&& action)
{
    const auto start = Clock::now();
    action();
    return Milliseconds(Clock::now() - start);
}

// Codes spread over the catalogue, every tenth in lower case, every fiftieth
// unknown, every twentieth given twice; quantities at the products' minimum.
std::string PastedText(const std::vector<CatalogueEntry>& products)
{
    if (products.size() < kPastedLines)
        throw std::runtime_error("the catalogue has fewer products than the list has lines");
    std::string text = "SKU\tQty\n";
    const std::size_t step = products.size() / kPastedLines;
    for (int i = 0; i < kPastedLines; ++i) {
        const CatalogueEntry& product =
            products[static_cast<std::size_t>(i % 20 == 19 ? i - 1 : i) * step];
        std::string code = product.SKU.Str();
        if (i % 10 == 3)
            std::transform(code.begin(), code.end(), code.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
        if (i % 50 == 7)
            code += "-X";
        text += code + "\t" + std::to_string(std::max(product.MinQuantity, 1)) + "\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const TFormatSettings systemFormat = FormatFromLocale(QLocale::system());
        QTemporaryDir temporary;
        const std::filesystem::path folder =
            BenchCatalogueFolder(argc, argv, temporary, PELMORA_DEMO_GENERATOR, kProducts);
        const std::string dbPath = Utf8ToCp1251((folder / "telvarin.db").string());
        const std::string text = PastedText(LoadAllProducts(dbPath, systemFormat));

        const TFormatSettings dot = MakeDotNumberFormat(systemFormat);
        std::vector<double> loads, indexes, reviews, adds, startups;
        int added = 0, refused = 0;
        for (int run = -1; run < kRuns; ++run) {
            std::vector<CatalogueEntry> products;
            const double load = Time([&] { products = LoadAllProducts(dbPath, systemFormat); });
            std::optional<ArticleCodeIndex> index;
            const double build = Time([&] { index.emplace(std::move(products)); });
            Order order;
            OrderHistory history(order);
            std::vector<PastedLine> lines;
            const double review = Time([&] { lines = ReviewPastedList(text, *index, order); });
            PasteResult result;
            const double add = Time([&] { result = history.addPastedLines(lines); });
            const double startup = Time([&] {
                Catalogue catalogue;
                catalogue.setDatabasePath(dbPath);
                Prices prices(100, Prices::kDefaultEuroIndex, 0);
                catalogue.load("", prices, dot, systemFormat, [] {});
            });
            if (run < 0)
                continue; // puts the file in the page cache
            loads.push_back(load);
            indexes.push_back(build);
            reviews.push_back(review);
            adds.push_back(add);
            startups.push_back(startup);
            added = order.lineCount();
            refused = static_cast<int>(
                          std::count(result.refusedText.begin(), result.refusedText.end(), '\n')) +
                      (result.refusedText.empty() ? 0 : 1);
        }
        const double paste = Median(reviews) + Median(adds);
        const double dialog = Median(loads) + Median(indexes) + paste;
        std::printf("%s, %d pasted lines, median of %d runs\n\n", (folder / "telvarin.db").c_str(),
                    kPastedLines, kRuns);
        std::printf("read every product        %8.2f ms\n", Median(loads));
        std::printf("build the code index      %8.2f ms\n", Median(indexes));
        std::printf("parse, match, judge       %8.2f ms\n", Median(reviews));
        std::printf("add as one undo step      %8.2f ms (%d order lines, %d lines refused)\n",
                    Median(adds), added, refused);
        std::printf("paste (parse to add)      %8.2f ms\n", paste);
        std::printf("dialog from file to add   %8.2f ms\n", dialog);
        std::printf("baseline: unfiltered load %8.2f ms; paste / load %.3fx, dialog / load %.2fx\n",
                    Median(startups), paste / Median(startups), dialog / Median(startups));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "paste_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
