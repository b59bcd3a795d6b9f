#pragma once

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>

// The three kinds of picture the picture benchmarks decode: the noise sets
// how large the JPEG files come out.
struct BenchPhotoKind
{
    const char* kind;
    int noise;
};
inline constexpr BenchPhotoKind kBenchPhotoKinds[] = {
    {"clean studio shot", 0}, {"light sensor noise (+-2)", 2}, {"heavy noise (+-8)", 8}};

// Runs `measure(kind, noise)` for each kind of picture; the exit status of a
// benchmark: 1 when the pictures could not be written.
template <typename Measure> int MeasureEachPhotoKind(Measure measure)
{
    for (const BenchPhotoKind& k : kBenchPhotoKinds) {
        if (!measure(k.kind, k.noise)) {
            std::fprintf(stderr, "cannot write the test pictures\n");
            return 1;
        }
    }
    return 0;
}

// A product shot for the benchmarks: soft light and a few hard-edged shapes,
// with sensor noise of up to +-`noise` levels per channel, which sets how
// large the JPEG file comes out.
inline QImage MakeBenchPhoto(QSize size, int seed, int noise)
{
    QImage image(size, QImage::Format_RGB32);
    QLinearGradient light(0, 0, size.width(), size.height());
    light.setColorAt(0, QColor::fromHsv((seed * 70) % 360, 60, 250));
    light.setColorAt(1, QColor::fromHsv((seed * 70 + 40) % 360, 120, 90));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(image.rect(), light);
    QRandomGenerator random(quint32(seed + 1));
    for (int i = 0; i < 40; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate() | 0xff000000));
        painter.drawEllipse(random.bounded(size.width()), random.bounded(size.height()),
                            40 + random.bounded(400), 40 + random.bounded(300));
    }
    painter.end();
    if (noise == 0)
        return image;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.bounded(2 * noise + 1)) - noise;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) + n, 0, 255),
                           std::clamp(qBlue(p) + n, 0, 255));
        }
    }
    return image;
}
