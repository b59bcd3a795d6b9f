#include "BenchReport.h"
#include "BenchSession.h"
#include "Measurements.h"
#include "core/pictures/JpegDecoder.h"
#include "core/text/Cp1251.h"
#include "gui/MainWindow.h"
#include "gui/PictureBox.h"
#include "gui/PictureFrame.h"

#include <QAction>
#include <QFileInfo>
#include <cstdio>
#include <ctime>
#include <future>
#include <jpeglib.h>

namespace Bench {

namespace {

// A bench-only decoder with libjpeg's speed options exposed.
QImage DecodeWith(const std::string& file, int scaleNum, bool fancyUpsampling, J_DCT_METHOD dct)
{
    std::FILE* input = std::fopen(file.c_str(), "rb");
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, input);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGRX;
    cinfo.scale_num = static_cast<unsigned>(scaleNum);
    cinfo.scale_denom = 8;
    cinfo.do_fancy_upsampling = fancyUpsampling ? TRUE : FALSE;
    cinfo.dct_method = dct;
    jpeg_start_decompress(&cinfo);
    QImage image(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(input);
    return image;
}

// Mean absolute difference per channel between two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(p[x]) - qRed(q[x])) + std::abs(qGreen(p[x]) - qGreen(q[x])) +
                   std::abs(qBlue(p[x]) - qBlue(q[x]));
    }
    return sum / (3.0 * a.width() * a.height());
}

// The first picture on this thread, the others on helper threads, as a
// frame could spread them over the cores.
void DecodeSpread(const std::vector<std::string>& files, int scale)
{
    std::vector<std::future<QImage>> rest;
    for (std::size_t i = 1; i < files.size(); ++i)
        rest.push_back(std::async(
            std::launch::async, [&, i] { return DecodeWith(files[i], scale, true, JDCT_ISLOW); }));
    DecodeWith(files[0], scale, true, JDCT_ISLOW);
    for (auto& f : rest)
        f.get();
}

// The median processor time of `work`, all threads of the process counted.
double CpuMedianMs(const std::function<void()>& work)
{
    const auto cpuMs = [] {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
    };
    std::vector<double> times;
    for (int i = 0; i <= 15; ++i) {
        const double start = cpuMs();
        work();
        if (i > 0)
            times.push_back(cpuMs() - start);
    }
    return Median(times);
}

} // namespace

void MeasurePictures(Session& session, const CatalogueFolder& large)
{
    Heading("Picture display: four 2000 x 1500 pictures (light sensor noise, quality 90)");
    std::vector<std::string> files;
    std::string list;
    qint64 bytes = 0;
    for (int i = 0; i < kPictures; ++i) {
        const QString name = QStringLiteral("p%1.jpg").arg(i + 1);
        files.push_back(QFile::encodeName(large.Pictures + name).toStdString());
        if (i > 0)
            list += ';';
        list += name.toStdString();
        bytes += QFileInfo(large.Pictures + name).size();
    }

    // The upper frame's size in the main window in each preview mode.
    const auto* upperFrame = session.Find<PictureFrame>("ImageFrame1");
    session.Find<QAction>("N15")->trigger();
    const QSize twoFrames = upperFrame->size();
    session.Find<QAction>("N14")->trigger();
    const QSize oneFrame = upperFrame->size();
    session.StopPictureTimer();
    PictureFrame frameOne;
    frameOne.resize(oneFrame);
    frameOne.setPictureFolder(ToCp1251(large.Pictures));
    PictureFrame frameTwo;
    frameTwo.resize(twoFrames);
    frameTwo.setPictureFolder(ToCp1251(large.Pictures));
    QImage canvasOne(oneFrame, QImage::Format_RGB32);
    QImage canvasTwo(twoFrames, QImage::Format_RGB32);

    const auto each = [&](const std::function<void(const std::string&)>& decode) {
        return Work{[&files, decode] {
            for (const auto& file : files)
                decode(file);
        }};
    };
    const std::vector<double> t = InterleavedMedians(
        {
            each([](const std::string& f) { DecodeJpeg(f); }),
            each([](const std::string& f) { DecodeWith(f, 8, false, JDCT_IFAST); }),
            each([](const std::string& f) { DecodeWith(f, 3, true, JDCT_ISLOW); }),
            each([](const std::string& f) { DecodeWith(f, 2, true, JDCT_ISLOW); }),
            each([](const std::string& f) { DecodeWith(f, 2, false, JDCT_IFAST); }),
            each([](const std::string& f) { DecodeWith(f, 1, true, JDCT_ISLOW); }),
            Work{[&] {
                DecodeSpread(files, 2);
            }},
            Work{[&] {
                DecodeWith(files[0], 2, true, JDCT_ISLOW);
            }},
            Work{[&] {
                frameOne.showPictures(list);
            }},
            Work{[&] {
                frameOne.showPictures(list);
                frameOne.render(&canvasOne);
            }},
            Work{[&] {
                frameTwo.showPictures(list);
            }},
            Work{[&] {
                frameTwo.showPictures(list);
                frameTwo.render(&canvasTwo);
            }},
        },
        15);

    const double cpuQuarter = CpuMedianMs([&] {
        for (const auto& file : files)
            DecodeWith(file, 2, true, JDCT_ISLOW);
    });
    const double cpuSpread = CpuMedianMs([&] { DecodeSpread(files, 2); });
    const double cpuShown = CpuMedianMs([&] { frameOne.showPictures(list); });

    // How far each scale's picture, shrunk to the size shown in the one-frame
    // mode, lies from the full-size picture shrunk the same way.
    const QSize largeBox(oneFrame.width(), oneFrame.height() - PictureFrame::StripHeight);
    const QSize shown = FittedPictureSize(kPictureSize, largeBox);
    const QImage ideal =
        DecodeJpeg(files[0]).scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const auto error = [&](int scale, bool fancy) {
        return MeanDifference(ideal,
                              DecodeWith(files[0], scale, fancy, JDCT_ISLOW)
                                  .scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    };

    const double full = t[0];
    std::printf("  average file size %lld KB; ratios are full-size decode / time; frames %d x %d "
                "(one frame) and %d x %d (two frames)\n",
                bytes / kPictures / 1024, oneFrame.width(), oneFrame.height(), twoFrames.width(),
                twoFrames.height());
    Figure("full-size decode, 4 pictures (baseline)", full);
    Compared("full size, fast IDCT, no fancy upsampling", t[1], full);
    Compared("decode at 3/8 (the one-frame mode's scale before)", t[2], full);
    Compared("decode at 1/4", t[3], full);
    Compared("decode at 1/4, fast IDCT, no fancy upsampling", t[4], full);
    Compared("decode at 1/8", t[5], full);
    Compared("decode at 1/4, three on helper threads", t[6], full);
    Compared("decode at 1/4, the first picture alone", t[7], full);
    Compared("ShowImages, one-frame mode", t[8], full);
    Compared("ShowImages + paint, one-frame mode", t[9], full);
    Compared("ShowImages, two-frame mode", t[10], full);
    Compared("ShowImages + paint, two-frame mode", t[11], full);
    std::printf("  processor time, all threads: 1/4 one after the other %.2f ms, on helper threads "
                "%.2f ms, ShowImages (one frame) %.2f ms\n",
                cpuQuarter, cpuSpread, cpuShown);
    std::printf(
        "  decoded in the one-frame mode at %d x %d, in the two-frame mode at %d x %d\n",
        frameOne.mainPicture()->picture().width(), frameOne.mainPicture()->picture().height(),
        frameTwo.mainPicture()->picture().width(), frameTwo.mainPicture()->picture().height());
    std::printf("  mean difference per channel from the ideal %d x %d picture: 3/8 %.2f, 1/4 %.2f, "
                "1/4 without fancy upsampling %.2f, 1/8 %.2f levels\n",
                shown.width(), shown.height(), error(3, true), error(2, true), error(2, false),
                error(1, true));
    Verdict("ShowImages at least 4x faster than the full-size decode",
            full / std::max(t[8], t[10]) >= 4);
}

} // namespace Bench
