#include "core/pictures/JpegDecoder.h"

#include "core/pictures/JpegWriter.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"
#include "support/TempDir.h"

#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <jerror.h>

namespace {

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string ErrorOf(const std::filesystem::path& file)
{
    try {
        DecodeJpeg(file, QSize(100, 100));
    } catch (const EPictureError& e) {
        return e.what();
    }
    return "no error";
}

void ExpectColour(const QImage& image, QRgb expected)
{
    const QRgb pixel = image.pixel(image.width() / 2, image.height() / 2);
    EXPECT_NEAR(qRed(pixel), qRed(expected), 3);
    EXPECT_NEAR(qGreen(pixel), qGreen(expected), 3);
    EXPECT_NEAR(qBlue(pixel), qBlue(expected), 3);
}

TEST(CoverScale, SmallestScaleThatCoversTheBox)
{
    const struct
    {
        QSize picture;
        QSize box;
        int eighths;
    } cases[] = {
        {{2000, 1500}, {296, 169}, 2}, // 500 x 375
        {{2000, 1500}, {105, 71}, 1},  // 250 x 188
        {{1500, 2000}, {296, 169}, 2}, // 375 x 500
        {{800, 600}, {296, 169}, 3},   // 300 x 225
        {{2000, 1500}, {1001, 10}, 5}, // 1000 is one short at 4/8
        {{2000, 1500}, {296, 1126}, 7},
        {{2000, 1500}, {2000, 1500}, 8},
        {{100, 100}, {296, 169}, 8}, // smaller than the box: full size
        {{2000, 1500}, QSize(), 8},
        {{2000, 1500}, {0, 0}, 1},
        {{9, 9}, {3, 3}, 2}, // 18/8 rounds up to 3
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CoverScaleEighths(c.picture, c.box), c.eighths)
            << c.picture.width() << 'x' << c.picture.height() << " in " << c.box.width() << 'x'
            << c.box.height();
    }
}

TEST(DecodeJpeg, DecodesAtTheCoveringScale)
{
    TempDir dir;
    TestJpeg picture;
    picture.Width = 401;
    picture.Height = 301;
    picture.Write(dir.File("p.jpg"));

    const struct
    {
        QSize box;
        QSize decoded;
    } cases[] = {
        {QSize(), {401, 301}},    {{50, 20}, {51, 38}},     {{150, 100}, {151, 113}},
        {{296, 169}, {301, 226}}, {{400, 300}, {401, 301}}, {{1000, 1000}, {401, 301}},
    };
    for (const auto& c : cases) {
        QSize full;
        const QImage image = DecodeJpeg(dir.File("p.jpg"), c.box, &full);
        EXPECT_EQ(image.size(), c.decoded) << c.box.width() << 'x' << c.box.height();
        EXPECT_EQ(full, QSize(401, 301));
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
    }
}

TEST(FittedPictureSize, ShrinksToFitAndNeverEnlarges)
{
    const struct
    {
        QSize picture;
        QSize box;
        QSize shown;
    } cases[] = {
        {{2000, 1500}, {312, 549}, {312, 234}}, // width decides
        {{2000, 1500}, {312, 169}, {225, 169}}, // height decides
        {{1500, 2000}, {312, 239}, {179, 239}},
        {{400, 100}, {312, 549}, {312, 78}},  // only one side too large
        {{100, 100}, {312, 169}, {100, 100}}, // smaller: its own size
        {{312, 169}, {312, 169}, {312, 169}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FittedPictureSize(c.picture, c.box), c.shown)
            << c.picture.width() << 'x' << c.picture.height() << " in " << c.box.width() << 'x'
            << c.box.height();
}

// The shown picture must be shrunk from the decoded one, never enlarged,
// while a box of another shape than the picture costs no more than needed.
TEST(DecodeJpeg, DecodesToFitAtTheScaleThatCoversTheShownPicture)
{
    TempDir dir;
    TestJpeg picture;
    picture.Width = 401;
    picture.Height = 301;
    picture.Write(dir.File("p.jpg"));

    const struct
    {
        QSize box;
        QSize decoded;
    } cases[] = {
        {QSize(), {401, 301}},
        {{296, 169}, {251, 189}},   // shown 225 x 169; covering the box would take 301 x 226
        {{150, 500}, {151, 113}},   // shown 150 x 112
        {{400, 300}, {401, 301}},   // shown 399 x 300: only the full size covers it
        {{1000, 1000}, {401, 301}}, // shown at its own size
        {{50, 20}, {51, 38}},
    };
    for (const auto& c : cases) {
        QSize full;
        const QImage image = DecodeJpegToFit(dir.File("p.jpg"), c.box, &full);
        EXPECT_EQ(image.size(), c.decoded) << c.box.width() << 'x' << c.box.height();
        EXPECT_EQ(full, QSize(401, 301));
        const QSize shown = FittedPictureSize(full, c.box);
        if (c.box.isValid()) {
            EXPECT_TRUE(image.width() >= shown.width() && image.height() >= shown.height());
        }
    }
}

TEST(DecodeJpeg, ColourSpacesComeOutAsRgb)
{
    const QRgb red = qRgb(255, 0, 0);
    const struct
    {
        const char* name;
        J_COLOR_SPACE space;
        bool adobe;
        std::vector<JSAMPLE> samples;
        QRgb expected;
    } cases[] = {
        {"rgb", JCS_RGB, false, {255, 0, 0}, red},
        {"gray", JCS_GRAYSCALE, false, {128}, qRgb(128, 128, 128)},
        {"cmyk-adobe", JCS_CMYK, true, {255, 0, 0, 255}, red},
        {"cmyk-plain", JCS_CMYK, false, {0, 255, 255, 0}, red},
        {"cmyk-black", JCS_CMYK, false, {0, 0, 0, 255}, qRgb(0, 0, 0)},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestJpeg picture;
        picture.Space = c.space;
        picture.AdobeMarker = c.adobe;
        picture.Pixel = [&](int, int) {
            return c.samples;
        };
        picture.Write(dir.File(c.name));
        const QImage image = DecodeJpeg(dir.File(c.name));
        ASSERT_EQ(image.size(), QSize(64, 48));
        ExpectColour(image, c.expected);
    }
}

TEST(DecodeJpeg, ReadsWhateverTheExtensionAndEncoding)
{
    TempDir dir;
    TestJpeg().Write(dir.File("picture.png"));
    EXPECT_EQ(DecodeJpeg(dir.File("picture.png")).size(), QSize(64, 48));

    TestJpeg progressive;
    progressive.Width = 800;
    progressive.Height = 600;
    progressive.Progressive = true;
    progressive.Write(dir.File("progressive"));
    EXPECT_EQ(DecodeJpeg(dir.File("progressive")).size(), QSize(800, 600));
    EXPECT_EQ(DecodeJpeg(dir.File("progressive"), QSize(100, 75)).size(), QSize(100, 75));
}

TEST(DecodeJpeg, ContentsThatAreNoJpegRaiseTheLibraryCode)
{
    TempDir dir;
    WriteAll(dir.File("text.jpg"), "not a picture at all");
    WriteAll(dir.File("empty.jpg"), "");
    EXPECT_EQ(ErrorOf(dir.File("text.jpg")), "JPEG error #" + std::to_string(JERR_NO_SOI));
    EXPECT_EQ(ErrorOf(dir.File("empty.jpg")), "JPEG error #" + std::to_string(JERR_INPUT_EMPTY));
}

TEST(DecodeJpeg, FilesThatDoNotOpenRaiseTheSystemReason)
{
    TempDir dir;
    const std::string name = Cp1251ToUtf8("\xD4\xEE\xF2\xEE.jpg"); // "Фото.jpg"
    const std::string folder = Utf8ToCp1251(dir.Path().string());
    EXPECT_EQ(ErrorOf(dir.File(name)), "Cannot open file \"" + folder +
                                           "/\xD4\xEE\xF2\xEE.jpg\". " + SystemErrorText(ENOENT));
    EXPECT_EQ(ErrorOf(dir.Path()),
              "Cannot open file \"" + folder + "\". " + SystemErrorText(EISDIR));
}

// A FIFO would block the open until a writer came; a device is never a
// picture. Both are refused at once.
TEST(DecodeJpeg, OnlyRegularFilesAreOpened)
{
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("fifo.jpg").c_str(), 0600), 0);
    for (const std::filesystem::path& file :
         {dir.File("fifo.jpg"), std::filesystem::path("/dev/null")}) {
        auto error = std::async(std::launch::async, [&] { return ErrorOf(file); });
        if (error.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            // Let the blocked open return, so that the test can end.
            close(open(file.c_str(), O_WRONLY | O_NONBLOCK));
            FAIL() << file << " blocked the decoder";
        }
        EXPECT_EQ(error.get(), "Cannot open file \"" + Utf8ToCp1251(file.string()) + "\". " +
                                   Cp("Это не обычный файл"));
    }
}

// Damaged files decode as far as they go or raise EPictureError; nothing
// else may happen, whatever the cut.
TEST(DecodeJpeg, TruncatedFilesNeverCrash)
{
    TempDir dir;
    TestJpeg picture;
    picture.Width = 200;
    picture.Height = 150;
    picture.Write(dir.File("whole.jpg"));
    const std::string whole = ReadAll(dir.File("whole.jpg"));

    for (std::size_t cut :
         {std::size_t(1), std::size_t(2), std::size_t(20), std::size_t(100), std::size_t(300),
          whole.size() / 3, whole.size() / 2, whole.size() - 2}) {
        SCOPED_TRACE(cut);
        WriteAll(dir.File("cut.jpg"), whole.substr(0, cut));
        try {
            EXPECT_EQ(DecodeJpeg(dir.File("cut.jpg")).size(), QSize(200, 150));
        } catch (const EPictureError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("JPEG error #", 0), 0u) << e.what();
        }
    }

    // With the header whole, what is missing of the data is only a warning.
    WriteAll(dir.File("half.jpg"), whole.substr(0, whole.size() / 2));
    EXPECT_EQ(DecodeJpeg(dir.File("half.jpg"), QSize(50, 30)).size(), QSize(50, 38));
}

// The frame header's height and width replaced.
std::string WithSize(const std::string& jpeg, const char* marker, const std::string& size)
{
    std::string bytes = jpeg;
    const auto sof = bytes.find(marker, 0, 2);
    if (sof != std::string::npos)
        bytes.replace(sof + 5, 4, size);
    return bytes;
}

TEST(DecodeJpeg, CorruptSizesRaise)
{
    TempDir dir;
    TestJpeg baseline;
    baseline.Write(dir.File("baseline.jpg"));
    TestJpeg progressive;
    progressive.Progressive = true;
    progressive.Write(dir.File("progressive.jpg"));
    const std::string huge("\xEA\x60\xEA\x60", 4); // 60000 x 60000

    WriteAll(dir.File("p.jpg"),
             WithSize(ReadAll(dir.File("baseline.jpg")), "\xFF\xC0", std::string(4, '\0')));
    EXPECT_EQ(ErrorOf(dir.File("p.jpg")), "JPEG error #" + std::to_string(JERR_EMPTY_IMAGE));

    // Too large to decode: refused, not allocated.
    WriteAll(dir.File("p.jpg"), WithSize(ReadAll(dir.File("baseline.jpg")), "\xFF\xC0", huge));
    EXPECT_THROW(DecodeJpeg(dir.File("p.jpg")), EPictureError);
    WriteAll(dir.File("p.jpg"), WithSize(ReadAll(dir.File("progressive.jpg")), "\xFF\xC2", huge));
    EXPECT_THROW(DecodeJpeg(dir.File("p.jpg"), QSize(10, 10)), EPictureError);
}

} // namespace
