// make_demo_catalogue <folder> [productCount=2000] [seed=1]
//
// Writes <folder>/telvarin.db, a catalogue of invented gift products, and
// <folder>/img/ with the JPEG pictures the products name, then reads the
// catalogue back through the program's loader to check it. The same seed
// always gives the same catalogue. The database is written anew on every
// run; the pictures are overwritten.

#include "DemoCatalogue.h"
#include "DemoCheck.h"
#include "DemoPictures.h"
#include "DemoProducts.h"
#include "DemoTimeStamp.h"
#include "core/text/NumberFormat.h"

#include <QDateTime>
#include <QLocale>
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

template <class T> bool ParseNumber(std::string_view text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv)
{
    int productCount = 2000;
    uint64_t seed = 1;
    const bool argumentsOk =
        argc >= 2 && argc <= 4 &&
        (argc < 3 || (ParseNumber(argv[2], productCount) && productCount > 0)) &&
        (argc < 4 || ParseNumber(argv[3], seed));
    if (!argumentsOk) {
        std::fprintf(stderr, "usage: make_demo_catalogue <folder> [productCount=2000] [seed=1]\n");
        return 2;
    }
    try {
        // The program reads numbers and dates in the conventions of the
        // system locale; the catalogue is written and checked in the same.
        const QLocale locale = QLocale::system();
        const QDateTime stamp(QDate(2026, 12, 1), QTime(10, 0, 0));
        const std::string timeStamp = DemoTimeStamp(locale, stamp);

        const std::filesystem::path folder = argv[1];
        const std::filesystem::path images = folder / "img";
        std::filesystem::create_directories(images);
        const std::vector<DemoPicture> pictures = DemoPictureSet();
        WriteDemoPictures(images, pictures);
        WriteDemoCatalogue(folder / "telvarin.db", productCount, seed, timeStamp);
        CheckDemoCatalogue(folder, productCount, locale, stamp);
        std::printf("%s: %d products (seed %llu, time stamp \"%s\"), %zu pictures in %s\n",
                    (folder / "telvarin.db").c_str(), productCount,
                    static_cast<unsigned long long>(seed), timeStamp.c_str(), pictures.size(),
                    images.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_demo_catalogue: %s\n", error.what());
        return 1;
    }
    return 0;
}
