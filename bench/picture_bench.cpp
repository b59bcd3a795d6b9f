// Showing a product's pictures against decoding the same files at full size,
// both measured in the same run. The frame decodes each picture once, at the
// scale its large box needs. Entropy decoding reads every coefficient
// whatever the scale, so the gain shrinks as the files grow; the run covers
// three kinds of picture content to show that.

#include "BenchPhoto.h"
#include "core/pictures/JpegDecoder.h"
#include "gui/PictureFrame.h"

#include <QApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 15;
constexpr int PictureCount = 4;
const QSize PictureSize(2000, 1500);

double MedianMilliseconds(const std::function<void()>& work)
{
    work(); // warm the file cache and the libraries
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        times.push_back(spent.count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Line(const char* what, double ms, double baseline)
{
    std::printf("  %-34s %8.2f ms  %5.2fx\n", what, ms, baseline / ms);
}

bool Measure(const char* kind, int noise)
{
    QTemporaryDir dir;
    std::vector<std::filesystem::path> files;
    std::string list;
    qint64 bytes = 0;
    for (int i = 0; i < PictureCount; ++i) {
        const QString name = QStringLiteral("p%1.jpg").arg(i + 1);
        if (!MakeBenchPhoto(PictureSize, i, noise).save(dir.filePath(name), "JPG", 90))
            return false;
        files.push_back(dir.filePath(name).toStdString());
        if (i > 0)
            list.push_back(';');
        list.append(name.toStdString());
        bytes += QFileInfo(dir.filePath(name)).size();
    }
    // The frame as the main window holds it: 296 wide, large box 296 x 169.
    PictureFrame frame;
    frame.setPictureFolder(dir.path().toStdString() + '/');
    frame.resize(296, 240);
    const QSize largeBox(296, 169);
    QImage canvas(frame.size(), QImage::Format_RGB32);

    const double full = MedianMilliseconds([&] {
        for (const auto& file : files)
            DecodeJpeg(file);
    });
    QImage sink;
    const double fullAndScaled = MedianMilliseconds([&] {
        for (const auto& file : files)
            sink = DecodeJpeg(file).scaled(largeBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    });
    const double scaled = MedianMilliseconds([&] {
        for (const auto& file : files)
            DecodeJpeg(file, largeBox);
    });
    // The smallest scale libjpeg has, for comparison: the floor of scaled decoding.
    const double eighth = MedianMilliseconds([&] {
        for (const auto& file : files)
            DecodeJpeg(file, QSize(1, 1));
    });
    const double shown = MedianMilliseconds([&] { frame.showPictures(list); });
    const double painted = MedianMilliseconds([&] {
        frame.showPictures(list);
        frame.render(&canvas);
    });

    std::printf("%s: %d pictures of %d x %d, %lld KB each on average\n", kind, PictureCount,
                PictureSize.width(), PictureSize.height(), bytes / PictureCount / 1024);
    Line("full-size decode (baseline)", full, full);
    Line("full-size decode + smooth scaling", fullAndScaled, full);
    Line("decode at the covering scale (1/4)", scaled, full);
    Line("decode at 1/8", eighth, full);
    Line("ShowImages", shown, full);
    Line("ShowImages + paint", painted, full);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::printf("median of %d runs; ratios are baseline time / time\n", Runs);
    return MeasureEachPhotoKind(Measure);
}
