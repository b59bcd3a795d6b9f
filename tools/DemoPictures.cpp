#include "DemoPictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
#include <stdexcept>

namespace {

struct Rgb
{
    uint8_t R, G, B;
};

struct Size
{
    int Width, Height;
};

constexpr std::array<Size, 8> kSizes = {{
    {640, 480},
    {800, 600},
    {480, 640},
    {1024, 768},
    {300, 300},
    {2000, 1500},
    {1200, 900},
    {600, 800},
}};

constexpr std::array<Rgb, 12> kPalette = {{
    {200, 40, 40},
    {40, 120, 200},
    {240, 190, 40},
    {60, 160, 80},
    {150, 60, 170},
    {250, 130, 40},
    {40, 40, 60},
    {230, 230, 235},
    {120, 80, 40},
    {20, 170, 170},
    {210, 90, 140},
    {110, 110, 110},
}};

class Canvas
{
public:
    Canvas(int width, int height)
        : m_width(width), m_height(height),
          m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
    {}

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const uint8_t* Row(int y) const { return &m_pixels[static_cast<std::size_t>(y) * m_width * 3]; }

    void Set(int x, int y, Rgb c)
    {
        uint8_t* p = &m_pixels[(static_cast<std::size_t>(y) * m_width + x) * 3];
        p[0] = c.R;
        p[1] = c.G;
        p[2] = c.B;
    }

    void Gradient(Rgb top, Rgb bottom)
    {
        for (int y = 0; y < m_height; ++y) {
            const double t = m_height > 1 ? static_cast<double>(y) / (m_height - 1) : 0;
            const Rgb c{Mix(top.R, bottom.R, t), Mix(top.G, bottom.G, t), Mix(top.B, bottom.B, t)};
            for (int x = 0; x < m_width; ++x)
                Set(x, y, c);
        }
    }

    void Disc(double cx, double cy, double radius, Rgb c)
    {
        const int y0 = std::max(0, static_cast<int>(cy - radius));
        const int y1 = std::min(m_height - 1, static_cast<int>(cy + radius));
        for (int y = y0; y <= y1; ++y) {
            const double dy = y - cy;
            const double half = std::sqrt(std::max(0.0, radius * radius - dy * dy));
            const int x0 = std::max(0, static_cast<int>(cx - half));
            const int x1 = std::min(m_width - 1, static_cast<int>(cx + half));
            for (int x = x0; x <= x1; ++x)
                Set(x, y, c);
        }
    }

    void Box(int left, int top, int width, int height, Rgb c)
    {
        for (int y = std::max(0, top); y < std::min(m_height, top + height); ++y) {
            for (int x = std::max(0, left); x < std::min(m_width, left + width); ++x)
                Set(x, y, c);
        }
    }

    void Stripes(int period, Rgb c)
    {
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                if (((x + y) / period) % 2 == 0 && (x + y) % period < period / 4)
                    Set(x, y, c);
            }
        }
    }

private:
    static uint8_t Mix(uint8_t a, uint8_t b, double t)
    {
        return static_cast<uint8_t>(std::lround(a + (b - a) * t));
    }

    int m_width;
    int m_height;
    std::vector<uint8_t> m_pixels;
};

Rgb Colour(int index)
{
    return kPalette[static_cast<std::size_t>(index) % kPalette.size()];
}

// A gift-like still life: a gradient backdrop, a box, a disc, sometimes stripes.
Canvas Draw(int index)
{
    const Size size = kSizes[static_cast<std::size_t>(index) % kSizes.size()];
    Canvas canvas(size.Width, size.Height);
    canvas.Gradient(Colour(index + 7), Colour(index * 5 + 2));
    if (index % 3 == 0)
        canvas.Stripes(std::max(8, size.Width / 20), Colour(index + 3));
    const int w = size.Width;
    const int h = size.Height;
    canvas.Box(w / 5, h / 3, w * 2 / 5, h / 2, Colour(index * 3 + 1));
    canvas.Box(w / 5 + w / 5 - w / 40, h / 3, w / 20, h / 2, Colour(index + 5));
    canvas.Disc(w * 0.68, h * 0.45, std::min(w, h) * (0.15 + 0.01 * (index % 7)),
                Colour(index * 7 + 4));
    return canvas;
}

void WriteJpeg(const Canvas& canvas, const std::filesystem::path& file)
{
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr)
        throw std::runtime_error("cannot write " + file.string());

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors); // a libjpeg failure ends the tool with its message
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(canvas.Width());
    info.image_height = static_cast<JDIMENSION>(canvas.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 82, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(canvas.Row(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
}

} // namespace

std::vector<std::string> WriteDemoPictures(const std::filesystem::path& folder, int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "gift_%02d.jpg", i + 1);
        WriteJpeg(Draw(i), folder / name);
        names.emplace_back(name);
    }
    return names;
}
