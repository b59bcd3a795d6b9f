// Walking the catalogue with the arrow keys: 200 products of four 2000 x 1500
// pictures each, selected one after the other in the picture panel of the
// main window, wired to the picture cache and the look-ahead as at start-up,
// in a window shown on the offscreen platform (or the one QT_QPA_PLATFORM
// names). Each step hands the panel the product's picture list and those of
// the rows around it, as a move of the grid's cursor does, and waits out the
// panel's 50 ms deferral; its time runs from the deferral's end to the end
// of the last visible picture box's paint. Then it pauses: 150 ms for a
// person reading, none for a held key, the event loop running all the while.
// Baselines from the same run: the same four pictures decoded at full size,
// and the frame as it was before the cache (decoded at the shown size, the
// further pictures on helper threads, the same boxes and paint), timed in
// turns with the panel on an empty cache (the first product shown).

#include "BenchPhoto.h"
#include "core/pictures/LookAhead.h"
#include "core/pictures/ProductPictures.h"
#include "core/text/Cp1251.h"
#include "gui/NearbyPictures.h"
#include "gui/PictureBox.h"
#include "gui/PictureFrame.h"
#include "gui/PicturePanel.h"
#include "support/FakeInteraction.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using Files = std::vector<std::filesystem::path>;

// 200 unless the command line gives another count (a short trial run).
int ProductCount = 200;
constexpr int PicturesPerProduct = 4;
// Distinct photographs; every product's file is a link to one of them, so
// the folder stays small while every path, and so every cache key, differs.
constexpr int DistinctPhotos = 8;
const QSize PhotoSize(2000, 1500);
constexpr int Deferral = 50;
constexpr int ReadingPause = 150;

struct Product
{
    std::string List; // the Image field: "12_0.jpg;12_1.jpg;..."
    Files Paths;
};

// What NearbyPictures reads of a grid row.
struct Row
{
    struct
    {
        std::string Text;
        const std::string& Str() const { return Text; }
    } Image;
};

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

double ElapsedMs(const QElapsedTimer& clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// Writes the photographs and links every product's pictures to them.
bool MakeCatalogue(const QTemporaryDir& dir, int noise, std::vector<Product>& products)
{
    for (int i = 0; i < DistinctPhotos; ++i) {
        const QString name = QStringLiteral("photo%1.jpg").arg(i);
        if (!MakeBenchPhoto(PhotoSize, i, noise).save(dir.filePath(name), "JPG", 90))
            return false;
    }
    std::error_code error;
    for (int p = 0; p < ProductCount; ++p) {
        Product product;
        for (int k = 0; k < PicturesPerProduct; ++k) {
            const QString name = QStringLiteral("%1_%2.jpg").arg(p).arg(k);
            const int photo = (p * PicturesPerProduct + k) % DistinctPhotos;
            product.Paths.emplace_back(dir.filePath(name).toStdString());
            std::filesystem::create_hard_link(
                dir.filePath(QStringLiteral("photo%1.jpg").arg(photo)).toStdString(),
                product.Paths.back(), error);
            if (error)
                return false;
            if (k > 0)
                product.List += ';';
            product.List += name.toStdString();
        }
        products.push_back(std::move(product));
    }
    return true;
}

// The frame as it was before the cache: every picture decoded at the shown
// size, the first on the window's thread and the others on helper threads
// within one budget, then set into boxes laid out as the picture frame lays
// them out.
class FrameWithoutCache : public QFrame
{
public:
    explicit FrameWithoutCache(QWidget* parent) : QFrame(parent)
    {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
        setGeometry(300, 2, 296, 240);
        m_main.setGeometry(0, 0, width(), height() - PictureFrame::StripHeight);
        m_first.setGeometry(thumbnailRect(0));
    }

    void showPictures(const Files& files)
    {
        m_further.clear();
        DecodeBudget budget(DecodeBudget::kProductBytes);
        std::vector<std::future<ShownPicture>> further;
        for (std::size_t i = 1; i < files.size(); ++i)
            further.push_back(std::async(std::launch::async | std::launch::deferred,
                                         [&budget, &file = files[i], box = m_main.size()] {
                                             return DecodeShownPicture(file, box, budget);
                                         }));
        const ShownPicture first = DecodeShownPicture(files.front(), m_main.size(), budget);
        setUpdatesEnabled(false);
        m_main.setPicture(first.Image, first.FullSize);
        m_first.setPicture(first.Image, first.FullSize);
        for (auto& future : further) {
            const ShownPicture picture = future.get();
            auto box = std::make_unique<PictureBox>(this);
            box->setGeometry(thumbnailRect(int(m_further.size()) + 1));
            box->setPicture(picture.Image, picture.FullSize);
            box->show();
            m_further.push_back(std::move(box));
        }
        setUpdatesEnabled(true);
    }

private:
    QRect thumbnailRect(int index) const
    {
        return QRect(index * PictureFrame::ThumbnailWidth, height() - PictureFrame::StripHeight,
                     PictureFrame::ThumbnailWidth, PictureFrame::StripHeight);
    }

    PictureBox m_main{this};
    PictureBox m_first{this};
    std::vector<std::unique_ptr<PictureBox>> m_further;
};

// The times of a step from the deferral's end: to the first picture box's
// paint, to the last box painted, and to the end of the deferral's handler.
struct Step
{
    double PaintStart = 0;
    double Painted = 0;
    double Handled = 0;
};

// Times a step: from the timer event of the watched deferral timer to the
// end of the paint of the last visible picture box of the watched frame.
// Installed on the application, it sees every event of the window's thread;
// it paints a box itself, so that the time taken includes that paint.
class StepClock : public QObject
{
public:
    StepClock() { qApp->installEventFilter(this); }

    // The step starts when `timer` fires; it ends once every visible
    // PictureBox child of `frame` has been painted since.
    void watch(QObject* timer, QWidget* frame)
    {
        m_timer = timer;
        m_frame = frame;
    }

    // Runs the event loop until the step has been painted; Painted is -1
    // after 10 s.
    Step waitForPaint()
    {
        QEventLoop loop;
        m_loop = &loop;
        QTimer::singleShot(10000, &loop, [&loop] { loop.exit(1); });
        const bool painted = loop.exec() == 0;
        m_loop = nullptr;
        m_armed = false;
        if (!painted)
            m_step.Painted = -1;
        return m_step;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Timer && object == m_timer) {
            m_armed = true;
            m_painted.clear();
            m_clock.start();
            object->event(event);
            m_step.Handled = ElapsedMs(m_clock);
            return true;
        }
        if (event->type() == QEvent::Paint && m_armed && object->parent() == m_frame &&
            qobject_cast<PictureBox*>(object)) {
            if (m_painted.empty())
                m_step.PaintStart = ElapsedMs(m_clock);
            object->event(event);
            m_painted.insert(object);
            if (allPainted()) {
                m_step.Painted = ElapsedMs(m_clock);
                m_armed = false;
                if (m_loop)
                    m_loop->quit();
            }
            return true;
        }
        return false;
    }

private:
    bool allPainted() const
    {
        for (PictureBox* box : m_frame->findChildren<PictureBox*>(Qt::FindDirectChildrenOnly)) {
            if (box->isVisible() && !box->visibleRegion().isEmpty() && !m_painted.count(box))
                return false;
        }
        return true;
    }

    QObject* m_timer = nullptr;
    QWidget* m_frame = nullptr;
    QEventLoop* m_loop = nullptr;
    QElapsedTimer m_clock;
    std::set<QObject*> m_painted;
    bool m_armed = false;
    Step m_step;
};

void RunEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The main window's right-hand side: the picture panel, shown, on the
// catalogue's picture folder, and the frame without a cache beside it.
struct Window
{
    FakeInteraction Ui;
    QWidget Host;
    PicturePanel* Panel;
    FrameWithoutCache* Today;
    QTimer* DeferralTimer;
    StepClock Clock;
    int Failures = 0;

    explicit Window(const QTemporaryDir& dir)
        : Panel(new PicturePanel(Ui, &Host)), Today(new FrameWithoutCache(&Host)),
          DeferralTimer(Panel->findChild<QTimer*>(QStringLiteral("Timer1")))
    {
        Panel->setGeometry(0, 0, 300, 585);
        Panel->setPictureFolder(ToCp1251(dir.path() + QLatin1Char('/')));
        Host.resize(600, 585);
        Host.show();
        RunEventLoopFor(200);
    }

    PictureFrame* catalogueFrame() const
    {
        return Panel->findChild<PictureFrame*>(QStringLiteral("ImageFrame1"));
    }

    // Selects `row` as the grid does and returns the step's time.
    Step select(const std::vector<Product>& products, int row)
    {
        Clock.watch(DeferralTimer, catalogueFrame());
        Row found;
        Panel->scheduleCataloguePictures(
            products[std::size_t(row)].List,
            NearbyPictures(row, [&products, &found](int i) -> const Row* {
                if (i < 0 || i >= int(products.size()))
                    return nullptr;
                found.Image.Text = products[std::size_t(i)].List;
                return &found;
            }));
        const Step step = Clock.waitForPaint();
        if (step.Painted < 0 || !Ui.Messages.empty() ||
            catalogueFrame()->shownList() != products[std::size_t(row)].List)
            ++Failures;
        return step;
    }

    // Shows `product` in the frame without a cache after the same deferral.
    Step showWithoutCache(const Product& product)
    {
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] { Today->showPictures(product.Paths); });
        Clock.watch(&timer, Today);
        timer.start(Deferral);
        return Clock.waitForPaint();
    }
};

struct Walk
{
    std::vector<Step> Steps;
    long PeakKb = 0;
    long StartKb = 0;
    qint64 PeakCacheBytes = 0;
    int Failures = 0;
};

Walk WalkCatalogue(const QTemporaryDir& dir, const std::vector<Product>& products, int pause)
{
    Walk walk;
    walk.StartKb = StartPeakMemory();
    // As at start-up: the look-ahead decodes into the cache, and both outlive the window.
    PictureCache cache(PictureCache::kDefaultBytes);
    LookAhead lookAhead(cache, LookAhead::kDefaultThreads);
    {
        Window window(dir);
        window.Panel->setPictureCache(cache, lookAhead);
        for (int row = 0; row < int(products.size()); ++row) {
            walk.Steps.push_back(window.select(products, row));
            walk.PeakCacheBytes = std::max(walk.PeakCacheBytes, cache.bytesHeld());
            if (pause > 0)
                RunEventLoopFor(pause);
        }
        walk.Failures = window.Failures;
    }
    lookAhead.waitUntilIdle();
    walk.PeakKb = ProcStatusKb("VmHWM:");
    return walk;
}

// The first product shown, on an empty cache, in turns with the frame
// without a cache on the same product.
void FirstProducts(const QTemporaryDir& dir, const std::vector<Product>& products,
                   std::vector<Step>& first, std::vector<Step>& today, int& failures)
{
    Window window(dir);
    for (int row = 0; row < int(products.size()); ++row) {
        PictureCache cache(PictureCache::kDefaultBytes);
        LookAhead lookAhead(cache, LookAhead::kDefaultThreads);
        window.Panel->setPictureCache(cache, lookAhead);
        first.push_back(window.select(products, row));
        lookAhead.cancel();
        lookAhead.waitUntilIdle();
        today.push_back(window.showWithoutCache(products[std::size_t(row)]));
    }
    failures = window.Failures;
}

void PrintRow(const char* what, const Stats& stats, const Stats& baseline)
{
    std::printf("  %-40s median %7.2f ms %7.1fx   p95 %7.2f ms %7.1fx\n", what, stats.Median,
                baseline.Median / stats.Median, stats.P95, baseline.P95 / stats.P95);
}

// The steps' times against the baseline, and the medians of their parts.
void PrintSteps(const char* what, const std::vector<Step>& steps, const Stats& baseline)
{
    std::vector<double> total, toPaint, painting, handled;
    for (const Step& step : steps) {
        total.push_back(step.Painted);
        toPaint.push_back(step.PaintStart);
        painting.push_back(step.Painted - step.PaintStart);
        handled.push_back(step.Handled);
    }
    PrintRow(what, StatsOf(total), baseline);
    std::printf("    medians: to the first box's paint %.2f ms, the paint %.2f ms; the deferral's "
                "handler returned after %.2f ms\n",
                StatsOf(toPaint).Median, StatsOf(painting).Median, StatsOf(handled).Median);
}

bool Measure(const char* kind, int noise)
{
    QTemporaryDir dir;
    std::vector<Product> products;
    if (!MakeCatalogue(dir, noise, products))
        return false;

    std::vector<double> full;
    std::vector<Step> today, first;
    for (const Product& product : products) { // also warms the file cache
        QElapsedTimer clock;
        clock.start();
        for (const auto& file : product.Paths)
            DecodeJpeg(file);
        full.push_back(ElapsedMs(clock));
    }
    int firstFailures = 0;
    const long todayStartKb = StartPeakMemory();
    FirstProducts(dir, products, first, today, firstFailures);
    const long todayPeakKb = ProcStatusKb("VmHWM:");
    const Walk reading = WalkCatalogue(dir, products, ReadingPause);
    const Walk held = WalkCatalogue(dir, products, 0);

    const Stats baseline = StatsOf(full);
    std::printf("%s: %d products of %d pictures of %d x %d, %lld KB a file on average\n", kind,
                ProductCount, PicturesPerProduct, PhotoSize.width(), PhotoSize.height(),
                QFileInfo(dir.filePath(QStringLiteral("photo0.jpg"))).size() / 1024);
    PrintRow("full-size decode (baseline)", baseline, baseline);
    PrintSteps("frame without cache (today)", today, baseline);
    PrintSteps("first product, empty cache", first, baseline);
    PrintSteps("walk, 150 ms pause", reading.Steps, baseline);
    PrintSteps("walk, no pause", held.Steps, baseline);
    std::printf("  peak memory (VmHWM, and what it adds to VmRSS at the phase's start): first "
                "products and today %.1f MB (%+.1f); walk with pause %.1f MB (%+.1f), without "
                "%.1f MB (%+.1f)\n  cache at most %.1f / %.1f MB; steps not shown right: %d\n",
                todayPeakKb / 1024.0, (todayPeakKb - todayStartKb) / 1024.0,
                reading.PeakKb / 1024.0, (reading.PeakKb - reading.StartKb) / 1024.0,
                held.PeakKb / 1024.0, (held.PeakKb - held.StartKb) / 1024.0,
                double(std::max(reading.PeakCacheBytes, held.PeakCacheBytes)) / (1 << 20),
                double(PictureCache::kDefaultBytes) / (1 << 20),
                firstFailures + reading.Failures + held.Failures);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1)
        ProductCount = std::max(5, std::atoi(argv[1]));

    std::printf("per step: from the deferral's end to the pictures painted; ratio = baseline "
                "time / time\n");
    return MeasureEachPhotoKind(Measure);
}
