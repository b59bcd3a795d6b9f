// Loading a 100,000-product catalogue: LoadCatalogueData (open, options,
// query, conversion of every row; no views) unfiltered and filtered, against
// the sqlite3 command-line tool running the same query text to /dev/null and
// against the unfiltered load, both in the same run, and the process's peak
// resident memory.
//
//   catalogue_bench [folder]
//
// Without a folder the demo generator writes a catalogue into a temporary one.
#include "BenchProcess.h"
#include "BenchTiming.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/Prices.h"
#include "core/sqlite/SQLiteAccess.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kProducts = 100000;
constexpr int kRuns = 9;

double PeakResidentMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

struct Case
{
    const char* Title;
    std::string Filter; // Windows-1251
};

struct Result
{
    double Load = 0;
    double Unfiltered = 0; // the whole catalogue's load, alternating with this one
    double Baseline = 0;
    int Products = 0;
    int Rows = 0; // what the query returns
};

Result Measure(const std::string& dbPath, const Case& c, const TFormatSettings& format)
{
    Catalogue catalogue;
    Prices prices;
    catalogue.setDatabasePath(dbPath);
    prices.setEuroRate(100);
    const TFormatSettings dot = MakeDotNumberFormat(format);
    const std::vector<std::string> baseline = {
        "sqlite3", "-batch", "-init", "/dev/null", Cp1251ToUtf8(dbPath), CatalogueQuery(c.Filter)};
    std::vector<double> loads;
    std::vector<double> unfilteredLoads;
    std::vector<double> baselines;
    const auto timeLoad = [&](const std::string& filter) {
        const auto start = Clock::now();
        LoadCatalogueData(catalogue, prices, filter, dot, format,
                          [] { throw std::runtime_error("options"); });
        return Milliseconds(Clock::now() - start);
    };
    // One unmeasured pass of each puts the file in the page cache; then they
    // alternate, so that a busy moment of the machine falls on all of them.
    for (int run = -1; run < kRuns; ++run) {
        const double load = timeLoad(c.Filter);
        const double unfiltered = timeLoad("");
        const auto start = Clock::now();
        RunProgram(baseline, true);
        const double shell = Milliseconds(Clock::now() - start);
        if (run >= 0) {
            loads.push_back(load);
            unfilteredLoads.push_back(unfiltered);
            baselines.push_back(shell);
        }
    }
    LoadCatalogueData(catalogue, prices, c.Filter, dot, format, [] {});
    TSQLiteDatabase database(Cp1251ToUtf8(dbPath));
    const int rows = static_cast<int>(
        database.QueryTable("SELECT count(*) FROM (" + CatalogueQuery(c.Filter) + ")")
            ->FieldInt64(0));
    return {Median(loads), Median(unfilteredLoads), Median(baselines), catalogue.count(), rows};
}

// What starting the tool costs on its own: it opens the file and runs a
// query that reads no table.
double ToolStartUp(const std::string& dbPath)
{
    const std::vector<std::string> command = {
        "sqlite3", "-batch", "-init", "/dev/null", Cp1251ToUtf8(dbPath), "SELECT 1"};
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        RunProgram(command, true);
        times.push_back(Milliseconds(Clock::now() - start));
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const TFormatSettings format = FormatFromLocale(QLocale::system());
        QTemporaryDir temporary;
        const std::filesystem::path folder =
            BenchCatalogueFolder(argc, argv, temporary, PELMORA_DEMO_GENERATOR, kProducts);
        const std::string dbPath = Utf8ToCp1251((folder / "telvarin.db").string());

        const Case cases[] = {
            {"unfiltered", ""},
            {"filter Vintage", "Vintage"},
            {"filter Svecha (Cyrillic)", Cp("Свеча")},
            {"filter svecha (lower case)", Cp("свеча")},
            {"filter yo (one letter)", Cp("ё")},
            {"words shar elochnyj", Cp("шар елочный")},
            {"words ml kruzhka 300", Cp("мл кружка 300")},
        };
        const double before = PeakResidentMB();
        std::printf("%s, median of %d runs; baseline = sqlite3 -batch -init /dev/null <db> "
                    "\"<query>\" > /dev/null\n\n",
                    (folder / "telvarin.db").c_str(), kRuns);
        std::printf("%-28s %8s %9s %11s %12s %10s %14s %11s\n", "", "rows", "products", "load",
                    "unfiltered", "load/unf.", "sqlite3 tool", "load/tool");
        int products = 0;
        for (const Case& c : cases) {
            const Result r = Measure(dbPath, c, format);
            products = std::max(products, r.Products);
            std::printf("%-28s %8d %9d %8.1f ms %9.1f ms %9.2fx %11.1f ms %10.2fx\n", c.Title,
                        r.Rows, r.Products, r.Load, r.Unfiltered, r.Load / r.Unfiltered, r.Baseline,
                        r.Load / r.Baseline);
        }
        std::printf("%-28s %73.1f ms\n", "sqlite3 tool, SELECT 1", ToolStartUp(dbPath));
        const double after = PeakResidentMB();
        std::printf("\npeak resident memory: %.1f MB (%.1f MB before the first load, growth "
                    "%.1f MB; %d entries hold %.1f MB)\n",
                    after, before, after - before, products,
                    static_cast<double>(products * sizeof(CatalogueEntry)) / 1048576.0);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "catalogue_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
