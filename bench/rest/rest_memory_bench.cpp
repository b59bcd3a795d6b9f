// The program at rest: its resident memory and the time from the process
// start to its main window, against a bare Qt Widgets window with a table
// (bare_window) started the same way in the same run, both on a private X
// server; and the resident memory with 100,000 products.
//
//   rest_memory_bench [runs=5] [program=build/pelmora]
//   rest_memory_bench --first-load catalogue-folder   (used by the bench itself)
//
// The program runs on demo catalogues written by the demo generator, with a
// private profile and a loopback proxy that plays the rates page and answers
// the update check with nothing new, so its start asks nothing.
#include "../BenchTiming.h"
#include "ChildProcess.h"
#include "PrivateDisplay.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/text/NumberFormat.h"
#include "support/LoopbackHttpServer.h"

#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <thread>

namespace {

using namespace RestBench;
namespace fs = std::filesystem;

constexpr int kDemoProducts = 2000; // the generator's default catalogue
constexpr int kLargeProducts = 100000;
// Painting, the deferred picture and whatever a start leaves to the event
// loop are over well within this after the window maps.
constexpr auto kSettle = std::chrono::milliseconds(1500);
const std::string kMainTitle = "Создание заказа \"Пелмора\"";
const std::string kBareTitle = "bare";
const std::string kLocale = "ru_RU.UTF-8";

void WriteFile(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// A home of its own with settings naming the catalogue in `folder`, the
// customer's details given, and the proxy for the internet.
struct Profile
{
    fs::path Root;
    fs::path Catalogue;
    std::vector<std::string> Environment;

    Profile(const fs::path& root, const fs::path& catalogue, uint16_t proxyPort,
            const std::string& display)
        : Root(root), Catalogue(catalogue)
    {
        for (const char* name : {"home", "config", "data", "cache", "runtime"})
            fs::create_directories(root / name);
        fs::permissions(root / "runtime", fs::perms::owner_all);
        WriteFile(root / "config/Pelmora/settings.ini",
                  "[General]\r\nEuro=98,5\r\nDBPath=" + (catalogue / "telvarin.db").string() +
                      "\r\nDBImgPath=" + (catalogue / "img/").string() +
                      "\r\nUpdatesURL=http://www.pelmora.ru/kesta/\r\n");
        WriteFile(root / "data/Pelmora/userinfo.ini",
                  "[General]\r\nImgPreviewMode=1\r\nRemindOnStartup=0\r\nUserInfoSpecified=1\r\n"
                  "[UserInfo]\r\nCompany=Bench\r\nTIN=7700000000\r\nPhones=+7 495 000-00-00\r\n"
                  "ContactPerson=Bench\r\nEmail=bench@example.org\r\nCompanyType=0\r\n");
        Environment = {"HOME=" + (root / "home").string(),
                       "XDG_CONFIG_HOME=" + (root / "config").string(),
                       "XDG_DATA_HOME=" + (root / "data").string(),
                       "XDG_CACHE_HOME=" + (root / "cache").string(),
                       "XDG_RUNTIME_DIR=" + (root / "runtime").string(),
                       "PATH=/usr/bin:/bin",
                       "LANG=" + kLocale,
                       "DISPLAY=" + display,
                       "QT_QPA_PLATFORM=xcb",
                       "http_proxy=http://127.0.0.1:" + std::to_string(proxyPort),
                       "no_proxy="};
        // A desktop has a session bus, which Qt asks whether a screen reader
        // is on; run under dbus-run-session, both programs share one.
        if (const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS"))
            Environment.push_back(std::string("DBUS_SESSION_BUS_ADDRESS=") + bus);
    }
};

std::optional<std::string> PlayTheInternet(const std::string& head)
{
    if (LoopbackHttpServer::PathOf(head).find("/currency_base/daily.aspx") != std::string::npos)
        return LoopbackHttpServer::Response(
            200, "OK",
            "<table><tr><td>978</td><td>EUR</td><td>1</td><td>Евро</td>"
            "<td>98,5000</td></tr></table>");
    return LoopbackHttpServer::Response(404, "Not Found", "");
}

struct Start
{
    double ToWindowMs = 0;
    double RestMb = 0;    // the process, once the window has settled
    double TreeMb = 0;    // the process and every helper process it started
    double PeakMb = 0;    // the process's high-water mark
    double Processes = 0; // the process and its helpers
};

Start StartOnce(PrivateDisplay& display, const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment, const std::string& title)
{
    display.forgetWindows();
    const auto started = Clock::now();
    const ChildProcess child(arguments, environment);
    const auto mapped = display.waitForWindow(title, started + std::chrono::seconds(90));
    if (!mapped)
        throw std::runtime_error(arguments[0] + ": no window \"" + title + "\" appeared");
    std::this_thread::sleep_for(kSettle);
    if (!child.running())
        throw std::runtime_error(arguments[0] + " ended on its own");
    return {Milliseconds(*mapped - started), child.residentKb() / 1024.0,
            child.treeResidentKb() / 1024.0, child.peakResidentKb() / 1024.0,
            static_cast<double>(child.treeSize())};
}

Start MedianStart(const std::vector<Start>& runs)
{
    const auto median = [&](double Start::*field) {
        std::vector<double> values;
        for (const Start& run : runs)
            values.push_back(run.*field);
        return Median(values);
    };
    return {median(&Start::ToWindowMs), median(&Start::RestMb), median(&Start::TreeMb),
            median(&Start::PeakMb), median(&Start::Processes)};
}

// The time the core needs to load the catalogue, as the program's start does.
double CatalogueLoadMs(const fs::path& folder, int runs)
{
    TFormatSettings dotFormat;
    const TFormatSettings systemFormat =
        FormatFromLocale(QLocale(QLocale::Russian, QLocale::Russia));
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        Catalogue catalogue;
        catalogue.setDatabasePath((folder / "telvarin.db").string());
        Prices prices(98.5, Prices::kDefaultEuroIndex, 0);
        const auto started = Clock::now();
        catalogue.load("", prices, dotFormat, systemFormat, nullptr);
        times.push_back(Milliseconds(Clock::now() - started));
    }
    return Median(times);
}

// A start pays for its catalogue load in a fresh process: SQLite's own
// set-up, the first use of the heap and of the number formats come with it.
// Each load runs in a new process of this program, and prints its time.
double FreshProcessLoadMs(const char* self, const fs::path& folder, int runs)
{
    const std::string command =
        "'" + std::string(self) + "' --first-load '" + folder.string() + "'";
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        FILE* output = popen(command.c_str(), "r");
        double ms = 0;
        const bool read = output && std::fscanf(output, "%lf", &ms) == 1;
        if (!output || pclose(output) != 0 || !read)
            throw std::runtime_error("the load in a fresh process failed");
        times.push_back(ms);
    }
    return Median(times);
}

void Row(const char* name, const Start& s)
{
    std::printf("| %s | %.0f ms | %.1f MB | %.1f MB (%.0f processes) | %.1f MB |\n", name,
                s.ToWindowMs, s.RestMb, s.TreeMb, s.Processes, s.PeakMb);
}

void Aim(const char* what, double value, double limit, const char* unit)
{
    std::printf("- %s: %.1f %s, aim at most %.1f %s: %s\n", what, value, unit, limit, unit,
                value <= limit ? "met" : "MISSED");
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && std::string(argv[1]) == "--first-load") {
        std::printf("%.3f\n", CatalogueLoadMs(argv[2], 1));
        return 0;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string program = argc > 2 ? argv[2] : PELMORA_EXECUTABLE;
    try {
        const fs::path work =
            fs::temp_directory_path() / ("rest_memory_bench." + std::to_string(getpid()));
        const std::vector<std::string> generatorEnvironment = {"PATH=/usr/bin:/bin",
                                                               "LANG=" + kLocale};
        const fs::path demo = work / "demo";
        const fs::path large = work / "large";
        RunToEnd({PELMORA_DEMO_GENERATOR, demo.string(), std::to_string(kDemoProducts)},
                 generatorEnvironment);
        RunToEnd({PELMORA_DEMO_GENERATOR, large.string(), std::to_string(kLargeProducts)},
                 generatorEnvironment);
        const double demoLoadMs = CatalogueLoadMs(demo, runs);
        const double largeLoadMs = CatalogueLoadMs(large, runs);
        const double demoFirstLoadMs = FreshProcessLoadMs(argv[0], demo, std::max(runs, 9));
        const double entriesMb = kLargeProducts * sizeof(CatalogueEntry) / (1024.0 * 1024.0);

        PrivateDisplay display;
        LoopbackHttpServer proxy(PlayTheInternet, std::chrono::hours(2));
        const Profile demoProfile(work / "profile-demo", demo, proxy.Port(), display.name());
        const Profile largeProfile(work / "profile-large", large, proxy.Port(), display.name());
        std::vector<Start> bare, rest, full;
        for (int i = 0; i < runs; ++i) {
            bare.push_back(StartOnce(display, {BARE_WINDOW_EXECUTABLE, kBareTitle},
                                     demoProfile.Environment, kBareTitle));
            rest.push_back(StartOnce(display, {program}, demoProfile.Environment, kMainTitle));
            full.push_back(StartOnce(display, {program}, largeProfile.Environment, kMainTitle));
        }
        fs::remove_all(work);

        const Start b = MedianStart(bare), r = MedianStart(rest), f = MedianStart(full);
        std::printf("Median of %d runs; catalogue load in the core: %.1f ms (%d products), "
                    "%.1f ms (%d products); entries of %d products: %.1f MB\n\n",
                    runs, demoLoadMs, kDemoProducts, largeLoadMs, kLargeProducts, kLargeProducts,
                    entriesMb);
        std::printf("First load in a fresh process: %.1f ms (%d products)\n\n", demoFirstLoadMs,
                    kDemoProducts);
        std::printf("| | to the main window | resident at rest | with helper processes | peak |\n"
                    "|---|---|---|---|---|\n");
        Row("bare window with a table (baseline)", b);
        Row("pelmora, demo catalogue (2,000 products)", r);
        Row("pelmora, 100,000 products", f);
        std::printf("\n");
        Aim("resident at rest", r.RestMb, 2 * b.RestMb, "MB");
        Aim("to the main window", r.ToWindowMs, 1.5 * b.ToWindowMs + demoLoadMs, "ms");
        Aim("to the main window, with the load a fresh process pays", r.ToWindowMs,
            1.5 * b.ToWindowMs + demoFirstLoadMs, "ms");
        Aim("resident with 100,000 products", f.RestMb, r.RestMb + 1.5 * entriesMb, "MB");
        std::printf("(ratios: at rest %.2fx the bare window, to the window %.2fx)\n",
                    r.RestMb / b.RestMb, r.ToWindowMs / b.ToWindowMs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "rest_memory_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
