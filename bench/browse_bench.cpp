// Walking the catalogue with the arrow keys: 200 products of four 2000 x 1500
// pictures each, selected one after the other. Each step waits out the grid's
// 50 ms deferral, then shows the product's pictures through the cache (the
// time measured, painting included), then asks for the next and previous two
// rows ahead, then pauses: 150 ms for a person reading, none for a held key.
// Baselines from the same run: the same four pictures decoded at full size,
// and the frame's way without a cache (decoded at the shown size, the further
// pictures on helper threads).

#include "BenchPhoto.h"
#include "core/pictures/LookAhead.h"
#include "core/pictures/ProductPictures.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace {

using Files = std::vector<std::filesystem::path>;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int ProductCount = 200;
constexpr int PicturesPerProduct = 4;
// Distinct photographs; every product's file is a link to one of them, so
// the folder stays small while every path, and so every cache key, differs.
constexpr int DistinctPhotos = 8;
const QSize PhotoSize(2000, 1500);
// The upper frame as the main window holds it: large box 296 x 169.
const QSize LargeBox(296, 169);
const QSize ThumbnailBox(105, 71);
constexpr auto Deferral = std::chrono::milliseconds(50);
constexpr auto ReadingPause = std::chrono::milliseconds(150);

struct Stats
{
    double Median = 0;
    double P95 = 0;
};

Stats StatsOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const std::size_t p95 = (times.size() * 95 + 99) / 100 - 1;
    return {times[times.size() / 2], times[std::min(p95, times.size() - 1)]};
}

long ProcStatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::strlen(field)));
    }
    return -1;
}

// Starts a new peak-memory measurement: VmHWM falls back to VmRSS, which
// is returned, so that the peak can be given as what the work added.
long StartPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
    return ProcStatusKb("VmRSS:");
}

// Writes the photographs and links every product's pictures to them.
bool MakeCatalogue(const QTemporaryDir& dir, int noise, std::vector<Files>& products)
{
    for (int i = 0; i < DistinctPhotos; ++i) {
        const QString name = QStringLiteral("photo%1.jpg").arg(i);
        if (!MakeBenchPhoto(PhotoSize, i, noise).save(dir.filePath(name), "JPG", 90))
            return false;
    }
    std::error_code error;
    for (int p = 0; p < ProductCount; ++p) {
        Files files;
        for (int k = 0; k < PicturesPerProduct; ++k) {
            const int photo = (p * PicturesPerProduct + k) % DistinctPhotos;
            const std::filesystem::path file =
                dir.filePath(QStringLiteral("%1_%2.jpg").arg(p).arg(k)).toStdString();
            std::filesystem::create_hard_link(
                dir.filePath(QStringLiteral("photo%1.jpg").arg(photo)).toStdString(), file, error);
            if (error)
                return false;
            files.push_back(file);
        }
        products.push_back(std::move(files));
    }
    return true;
}

// What the frame's boxes do on their first paint: the large picture as it
// was decoded, and every picture shrunk smoothly into its thumbnail.
void Paint(const std::vector<QImage>& pictures, QImage& canvas)
{
    QPainter painter(&canvas);
    painter.drawImage(0, 0, pictures.front());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QImage thumbnail =
            pictures[i].scaled(ThumbnailBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(int(i) * ThumbnailBox.width(), LargeBox.height(), thumbnail);
    }
}

// The frame without a cache: every picture decoded at the shown size, the
// first on this thread and the others on helper threads, one budget.
std::vector<QImage> DecodeWithoutCache(const Files& files)
{
    DecodeBudget budget(DecodeBudget::kProductBytes);
    std::vector<std::future<QImage>> further;
    for (std::size_t i = 1; i < files.size(); ++i)
        further.push_back(
            std::async(std::launch::async | std::launch::deferred, [&budget, &file = files[i]] {
                return DecodeJpegForBox(file, LargeBox, budget);
            }));
    std::vector<QImage> pictures{DecodeJpegForBox(files.front(), LargeBox, budget)};
    for (auto& picture : further)
        pictures.push_back(picture.get());
    return pictures;
}

std::vector<QImage> DecodeThroughCache(PictureCache& cache, const Files& files)
{
    std::vector<QImage> pictures;
    for (const ShownPicture& picture : DecodeProductPictures(cache, files, LargeBox))
        pictures.push_back(picture.orThrow().Image);
    return pictures;
}

double TimeMs(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return Milliseconds(std::chrono::steady_clock::now() - start).count();
}

std::vector<PictureJob> Neighbours(const std::vector<Files>& products, int row)
{
    std::vector<PictureJob> jobs;
    for (const int offset : {1, -1, 2, -2}) {
        const int other = row + offset;
        if (other < 0 || other >= int(products.size()))
            continue;
        for (const auto& file : products[std::size_t(other)])
            jobs.push_back({file, LargeBox});
    }
    return jobs;
}

struct Walk
{
    std::vector<double> Steps;
    long PeakKb = 0;
    qint64 PeakCacheBytes = 0;
};

Walk WalkCatalogue(const std::vector<Files>& products, std::chrono::milliseconds pause)
{
    Walk walk;
    const long startKb = StartPeakMemory();
    PictureCache cache(PictureCache::kDefaultBytes);
    LookAhead lookAhead(cache, LookAhead::kDefaultThreads);
    QImage canvas(LargeBox.width(), LargeBox.height() + ThumbnailBox.height(),
                  QImage::Format_RGB32);
    for (int row = 0; row < int(products.size()); ++row) {
        std::this_thread::sleep_for(Deferral);
        walk.Steps.push_back(
            TimeMs([&] { Paint(DecodeThroughCache(cache, products[std::size_t(row)]), canvas); }));
        lookAhead.request(Neighbours(products, row));
        walk.PeakCacheBytes = std::max(walk.PeakCacheBytes, cache.bytesHeld());
        std::this_thread::sleep_for(pause);
    }
    lookAhead.waitUntilIdle();
    walk.PeakKb = ProcStatusKb("VmHWM:") - startKb;
    return walk;
}

void Row(const char* what, const Stats& stats, const Stats& baseline)
{
    std::printf("  %-40s median %7.2f ms %7.1fx   p95 %7.2f ms %7.1fx\n", what, stats.Median,
                baseline.Median / stats.Median, stats.P95, baseline.P95 / stats.P95);
}

bool Measure(const char* kind, int noise)
{
    QTemporaryDir dir;
    std::vector<Files> products;
    if (!MakeCatalogue(dir, noise, products))
        return false;
    QImage canvas(LargeBox.width(), LargeBox.height() + ThumbnailBox.height(),
                  QImage::Format_RGB32);

    std::vector<double> full, today, first;
    for (const Files& files : products) // also warms the file cache
        full.push_back(TimeMs([&] {
            for (const auto& file : files)
                DecodeJpeg(file);
        }));
    // Taken in turns, so that a change in the machine's load meets both.
    long todayPeakKb = StartPeakMemory();
    for (const Files& files : products) {
        today.push_back(TimeMs([&] { Paint(DecodeWithoutCache(files), canvas); }));
        PictureCache cache(PictureCache::kDefaultBytes); // as at start-up
        first.push_back(TimeMs([&] { Paint(DecodeThroughCache(cache, files), canvas); }));
    }
    todayPeakKb = ProcStatusKb("VmHWM:") - todayPeakKb;
    const Walk reading = WalkCatalogue(products, ReadingPause);
    const Walk held = WalkCatalogue(products, std::chrono::milliseconds(0));

    const Stats baseline = StatsOf(full);
    std::printf("%s: %d products of %d pictures of %d x %d, %lld KB a file on average\n", kind,
                ProductCount, PicturesPerProduct, PhotoSize.width(), PhotoSize.height(),
                QFileInfo(dir.filePath(QStringLiteral("photo0.jpg"))).size() / 1024);
    Row("full-size decode (baseline)", baseline, baseline);
    Row("frame without cache + paint (today)", StatsOf(today), baseline);
    Row("first product, empty cache + paint", StatsOf(first), baseline);
    Row("walk, 150 ms pause + paint", StatsOf(reading.Steps), baseline);
    Row("walk, no pause + paint", StatsOf(held.Steps), baseline);
    std::printf("  memory added at the peak (VmHWM - VmRSS at the start): today %.1f MB; walk with "
                "pause %.1f MB, without %.1f MB;"
                "\n  cache at most %.1f / %.1f MB\n",
                todayPeakKb / 1024.0, reading.PeakKb / 1024.0, held.PeakKb / 1024.0,
                double(std::max(reading.PeakCacheBytes, held.PeakCacheBytes)) / (1 << 20),
                double(PictureCache::kDefaultBytes) / (1 << 20));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::printf("per step: from the deferral's end to the pictures painted; ratio = baseline "
                "time / time\n");
    const struct
    {
        const char* kind;
        int noise;
    } kinds[] = {
        {"clean studio shot", 0}, {"light sensor noise (+-2)", 2}, {"heavy noise (+-8)", 8}};
    for (const auto& k : kinds) {
        if (!Measure(k.kind, k.noise)) {
            std::fprintf(stderr, "cannot write the test pictures\n");
            return 1;
        }
    }
    return 0;
}
