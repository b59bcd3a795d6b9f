#include "DemoPictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
#include <memory>
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

constexpr std::array<Size, 7> kSizes = {{
    {2000, 1500},
    {800, 600},
    {640, 640},
    {600, 800},
    {1024, 768},
    {640, 480},
    {720, 540},
}};

constexpr std::array<Rgb, 12> kPalette = {{
    {196, 32, 40},   // red
    {36, 92, 170},   // blue
    {212, 172, 52},  // gold
    {40, 120, 70},   // fir green
    {140, 50, 150},  // violet
    {235, 120, 40},  // orange
    {180, 180, 190}, // silver
    {245, 240, 230}, // ivory
    {120, 70, 40},   // wood
    {30, 150, 160},  // teal
    {215, 100, 140}, // rose
    {60, 40, 50},    // dark plum
}};

constexpr std::array<Rgb, 4> kBackdrops = {{
    {250, 248, 244},
    {236, 242, 250},
    {246, 238, 232},
    {238, 246, 238},
}};

Rgb Colour(int index)
{
    return kPalette[static_cast<std::size_t>(index) % kPalette.size()];
}

Rgb Shade(Rgb c, double factor)
{
    auto channel = [factor](uint8_t v) {
        return static_cast<uint8_t>(std::clamp(std::lround(v * factor), 0L, 255L));
    };
    return {channel(c.R), channel(c.G), channel(c.B)};
}

// An RGB picture with a few filled shapes; coordinates are in pixels.
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

    void Backdrop(Rgb top, Rgb bottom)
    {
        for (int y = 0; y < m_height; ++y) {
            const double t = static_cast<double>(y) / std::max(1, m_height - 1);
            const Rgb c{Mix(top.R, bottom.R, t), Mix(top.G, bottom.G, t), Mix(top.B, bottom.B, t)};
            Span(y, 0, m_width - 1, c);
        }
    }

    void Box(double left, double top, double width, double height, Rgb c)
    {
        const int y0 = std::max(0, static_cast<int>(top));
        const int y1 = std::min(m_height, static_cast<int>(top + height));
        for (int y = y0; y < y1; ++y)
            Span(y, static_cast<int>(left), static_cast<int>(left + width) - 1, c);
    }

    // A filled ellipse; a ring when `hole` is above zero (a share of the radii).
    void Ellipse(double cx, double cy, double rx, double ry, Rgb c, double hole = 0)
    {
        const int y0 = std::max(0, static_cast<int>(cy - ry));
        const int y1 = std::min(m_height - 1, static_cast<int>(cy + ry));
        for (int y = y0; y <= y1; ++y) {
            const double dy = (y - cy) / ry;
            const double outer = rx * std::sqrt(std::max(0.0, 1 - dy * dy));
            const double innerY = dy / std::max(hole, 1e-9);
            const double inner =
                hole > 0 && std::fabs(innerY) < 1 ? rx * hole * std::sqrt(1 - innerY * innerY) : -1;
            if (inner < 0) {
                Span(y, static_cast<int>(cx - outer), static_cast<int>(cx + outer), c);
            } else {
                Span(y, static_cast<int>(cx - outer), static_cast<int>(cx - inner), c);
                Span(y, static_cast<int>(cx + inner), static_cast<int>(cx + outer), c);
            }
        }
    }

    // A triangle with a flat side at the bottom (apex up) or at the top.
    void Triangle(double cx, double top, double halfBase, double height, Rgb c, bool apexUp = true)
    {
        const int y0 = std::max(0, static_cast<int>(top));
        const int y1 = std::min(m_height, static_cast<int>(top + height));
        for (int y = y0; y < y1; ++y) {
            const double share = (y - top) / height;
            const double half = halfBase * (apexUp ? share : 1 - share);
            Span(y, static_cast<int>(cx - half), static_cast<int>(cx + half), c);
        }
    }

    void Checks(double left, double top, double width, double height, int cell, Rgb a, Rgb b)
    {
        for (int y = std::max(0, static_cast<int>(top));
             y < std::min(m_height, static_cast<int>(top + height)); ++y) {
            for (int x = std::max(0, static_cast<int>(left));
                 x < std::min(m_width, static_cast<int>(left + width)); ++x)
                Set(x, y, ((x / cell + y / cell) % 2 == 0) ? a : b);
        }
    }

private:
    static uint8_t Mix(uint8_t a, uint8_t b, double t)
    {
        return static_cast<uint8_t>(std::lround(a + (b - a) * t));
    }

    void Set(int x, int y, Rgb c)
    {
        uint8_t* p = &m_pixels[(static_cast<std::size_t>(y) * m_width + x) * 3];
        p[0] = c.R;
        p[1] = c.G;
        p[2] = c.B;
    }

    void Span(int y, int x0, int x1, Rgb c)
    {
        for (int x = std::max(0, x0); x <= std::min(m_width - 1, x1); ++x)
            Set(x, y, c);
    }

    int m_width;
    int m_height;
    std::vector<uint8_t> m_pixels;
};

// Every motif is drawn in a unit square of side `s` whose corner is (x, y).
struct Frame
{
    double X, Y, S;
    double Px(double u) const { return X + u * S; }
    double Py(double v) const { return Y + v * S; }
    double L(double d) const { return d * S; }
};

void DrawMotif(Canvas& c, DemoMotif motif, const Frame& f, Rgb main, Rgb accent)
{
    const Rgb dark = Shade(main, 0.7);
    const Rgb light = Shade(main, 1.25);
    switch (motif) {
    case DemoMotif::Mug:
        c.Ellipse(f.Px(0.72), f.Py(0.52), f.L(0.14), f.L(0.17), dark, 0.6);
        c.Box(f.Px(0.25), f.Py(0.3), f.L(0.47), f.L(0.5), main);
        c.Ellipse(f.Px(0.485), f.Py(0.3), f.L(0.235), f.L(0.05), dark);
        c.Box(f.Px(0.25), f.Py(0.48), f.L(0.47), f.L(0.07), accent);
        break;
    case DemoMotif::Candle:
        c.Box(f.Px(0.36), f.Py(0.35), f.L(0.28), f.L(0.5), main);
        c.Box(f.Px(0.36), f.Py(0.35), f.L(0.06), f.L(0.5), light);
        c.Box(f.Px(0.495), f.Py(0.28), f.L(0.01), f.L(0.07), Rgb{40, 30, 30});
        c.Ellipse(f.Px(0.5), f.Py(0.22), f.L(0.04), f.L(0.08), Rgb{250, 180, 40});
        c.Ellipse(f.Px(0.5), f.Py(0.24), f.L(0.018), f.L(0.04), Rgb{255, 245, 200});
        c.Ellipse(f.Px(0.5), f.Py(0.86), f.L(0.26), f.L(0.04), accent);
        break;
    case DemoMotif::Bauble:
        c.Box(f.Px(0.497), f.Py(0.05), f.L(0.006), f.L(0.15), Rgb{120, 120, 120});
        c.Box(f.Px(0.45), f.Py(0.18), f.L(0.1), f.L(0.07), Rgb{200, 170, 60});
        c.Ellipse(f.Px(0.5), f.Py(0.55), f.L(0.3), f.L(0.3), main);
        c.Box(f.Px(0.2), f.Py(0.52), f.L(0.6), f.L(0.05), accent);
        c.Ellipse(f.Px(0.4), f.Py(0.43), f.L(0.06), f.L(0.06), light);
        break;
    case DemoMotif::Frame:
        c.Box(f.Px(0.15), f.Py(0.15), f.L(0.7), f.L(0.7), main);
        c.Box(f.Px(0.22), f.Py(0.22), f.L(0.56), f.L(0.56), Rgb{150, 200, 240});
        c.Box(f.Px(0.22), f.Py(0.58), f.L(0.56), f.L(0.2), Rgb{90, 160, 80});
        c.Ellipse(f.Px(0.62), f.Py(0.36), f.L(0.06), f.L(0.06), Rgb{250, 220, 90});
        c.Triangle(f.Px(0.4), f.Py(0.4), f.L(0.14), f.L(0.18), accent);
        break;
    case DemoMotif::GiftBox:
        c.Box(f.Px(0.2), f.Py(0.4), f.L(0.6), f.L(0.45), main);
        c.Box(f.Px(0.16), f.Py(0.3), f.L(0.68), f.L(0.12), dark);
        c.Box(f.Px(0.46), f.Py(0.3), f.L(0.08), f.L(0.55), accent);
        c.Ellipse(f.Px(0.4), f.Py(0.25), f.L(0.1), f.L(0.06), accent, 0.5);
        c.Ellipse(f.Px(0.6), f.Py(0.25), f.L(0.1), f.L(0.06), accent, 0.5);
        break;
    case DemoMotif::Vase:
        c.Ellipse(f.Px(0.5), f.Py(0.6), f.L(0.24), f.L(0.28), main);
        c.Box(f.Px(0.41), f.Py(0.15), f.L(0.18), f.L(0.25), main);
        c.Ellipse(f.Px(0.5), f.Py(0.15), f.L(0.12), f.L(0.03), dark);
        c.Box(f.Px(0.27), f.Py(0.6), f.L(0.46), f.L(0.04), accent);
        break;
    case DemoMotif::Figure:
        c.Ellipse(f.Px(0.5), f.Py(0.7), f.L(0.2), f.L(0.18), main);
        c.Ellipse(f.Px(0.5), f.Py(0.44), f.L(0.14), f.L(0.12), main);
        c.Ellipse(f.Px(0.5), f.Py(0.26), f.L(0.1), f.L(0.09), light);
        c.Triangle(f.Px(0.5), f.Py(0.05), f.L(0.1), f.L(0.14), accent);
        c.Ellipse(f.Px(0.46), f.Py(0.25), f.L(0.012), f.L(0.012), Rgb{30, 30, 30});
        c.Ellipse(f.Px(0.54), f.Py(0.25), f.L(0.012), f.L(0.012), Rgb{30, 30, 30});
        break;
    case DemoMotif::Tree:
        c.Box(f.Px(0.46), f.Py(0.78), f.L(0.08), f.L(0.12), Rgb{110, 70, 40});
        c.Triangle(f.Px(0.5), f.Py(0.1), f.L(0.3), f.L(0.7), Rgb{40, 120, 70});
        for (int i = 0; i < 7; ++i)
            c.Ellipse(f.Px(0.38 + 0.04 * i), f.Py(0.35 + 0.06 * (i % 4)), f.L(0.025), f.L(0.025),
                      i % 2 == 0 ? main : accent);
        break;
    case DemoMotif::Textile:
        c.Checks(f.Px(0.15), f.Py(0.25), f.L(0.7), f.L(0.55),
                 std::max(4, static_cast<int>(f.L(0.07))), main, light);
        c.Box(f.Px(0.15), f.Py(0.75), f.L(0.7), f.L(0.05), accent);
        break;
    case DemoMotif::Clock:
        c.Ellipse(f.Px(0.5), f.Py(0.5), f.L(0.34), f.L(0.34), main);
        c.Ellipse(f.Px(0.5), f.Py(0.5), f.L(0.29), f.L(0.29), Rgb{250, 250, 245});
        c.Box(f.Px(0.49), f.Py(0.28), f.L(0.02), f.L(0.22), Rgb{30, 30, 30});
        c.Box(f.Px(0.5), f.Py(0.49), f.L(0.16), f.L(0.02), accent);
        break;
    case DemoMotif::Glass:
        c.Triangle(f.Px(0.5), f.Py(0.1), f.L(0.22), f.L(0.42), light, false);
        c.Triangle(f.Px(0.5), f.Py(0.26), f.L(0.22 * 0.26 / 0.42), f.L(0.26), main, false);
        c.Box(f.Px(0.49), f.Py(0.5), f.L(0.02), f.L(0.32), light);
        c.Ellipse(f.Px(0.5), f.Py(0.83), f.L(0.14), f.L(0.03), dark);
        break;
    case DemoMotif::Book:
        c.Box(f.Px(0.24), f.Py(0.18), f.L(0.52), f.L(0.66), main);
        c.Box(f.Px(0.24), f.Py(0.18), f.L(0.06), f.L(0.66), dark);
        c.Box(f.Px(0.38), f.Py(0.32), f.L(0.28), f.L(0.12), accent);
        break;
    }
}

Canvas Draw(const DemoPicture& picture)
{
    const int v = picture.Variant;
    const Size size = kSizes[static_cast<std::size_t>(v) % kSizes.size()];
    Canvas canvas(size.Width, size.Height);
    const Rgb backdrop = kBackdrops[static_cast<std::size_t>(v) % kBackdrops.size()];
    canvas.Backdrop(backdrop, Shade(backdrop, 0.86));
    const double side = std::min(size.Width, size.Height) * 0.9;
    const Frame frame{(size.Width - side) / 2, (size.Height - side) / 2, side};
    DrawMotif(canvas, picture.Motif, frame, Colour(v * 5 + 1), Colour(v * 7 + 2));
    return canvas;
}

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void WriteJpeg(const Canvas& canvas, const std::filesystem::path& file)
{
    const std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.c_str(), "wb"));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors); // a libjpeg failure ends the tool with its message
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out.get());
    info.image_width = static_cast<JDIMENSION>(canvas.Width());
    info.image_height = static_cast<JDIMENSION>(canvas.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(canvas.Row(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    if (std::fflush(out.get()) != 0)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace

void WriteDemoPictures(const std::filesystem::path& folder,
                       const std::vector<DemoPicture>& pictures)
{
    for (const DemoPicture& picture : pictures)
        WriteJpeg(Draw(picture), folder / picture.FileName);
}
