#include "windows/JpegDecoder.h"

#include "app/Cp1251.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// libjpeg reports errors through error_exit, which must not return. The
// decoding steps below run inside setjmp frames that hold only plain data,
// so the jump back skips no destructor; the exception is raised outside them.
struct ErrorManager
{
    jpeg_error_mgr pub; // first, so libjpeg's pointer is ours
    std::jmp_buf jump;
};

void ExitWithError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings such as a premature end of data are expected on damaged files;
// they must not reach the terminal.
void DiscardMessage(j_common_ptr) {}

struct Decoder
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    bool cmyk;
};

// RGB32 is 0xffRRGGBB in native byte order.
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// A damaged header may claim any size up to 65535 x 65535; such a picture is
// refused before its memory is taken rather than exhausting the machine.
constexpr qint64 kMaxDecodedBytes = qint64(256) << 20;

// The box the decoded picture must cover, from the picture's stored size.
using CoverRule = QSize (*)(QSize picture, QSize box);

QSize WholeBox(QSize, QSize box)
{
    return box;
}

bool Start(Decoder& d, std::FILE* file, QSize box, CoverRule cover)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_create_decompress(&d.cinfo);
    // Whole-picture buffers (progressive files) beyond this fail in libjpeg.
    d.cinfo.mem->max_memory_to_use = kMaxDecodedBytes;
    jpeg_stdio_src(&d.cinfo, file);
    jpeg_read_header(&d.cinfo, TRUE);

    d.cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = d.cmyk ? JCS_CMYK : kRgb32Space;
    const QSize picture(int(d.cinfo.image_width), int(d.cinfo.image_height));
    d.cinfo.scale_num = CoverScaleEighths(picture, cover(picture, box));
    d.cinfo.scale_denom = 8;
    jpeg_calc_output_dimensions(&d.cinfo);
    if (qint64(d.cinfo.output_width) * d.cinfo.output_height * 4 > kMaxDecodedBytes)
        ERREXIT1(&d.cinfo, JERR_OUT_OF_MEMORY, 0);
    jpeg_start_decompress(&d.cinfo);
    return true;
}

// Adobe applications store CMYK inverted (0 is full ink); others store it plain.
void CmykToRgb32(const JSAMPLE* cmyk, QRgb* out, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

bool ReadRows(Decoder& d, uchar* bits, qsizetype bytesPerLine, JSAMPLE* cmykRow)
{
    if (setjmp(d.err.jump))
        return false;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        uchar* line = bits + d.cinfo.output_scanline * bytesPerLine;
        JSAMPROW row = d.cmyk ? cmykRow : line;
        if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1)
            break;
        if (d.cmyk)
            CmykToRgb32(cmykRow, reinterpret_cast<QRgb*>(line), d.cinfo.output_width,
                        d.cinfo.saw_Adobe_marker);
    }
    // A file source always delivers every row (libjpeg pads a truncated
    // file), but rows it might hold back must not show stale memory.
    for (JDIMENSION y = d.cinfo.output_scanline; y < d.cinfo.output_height; ++y)
        std::memset(bits + y * bytesPerLine, 0xFF, std::size_t(bytesPerLine));
    return true;
}

[[noreturn]] void RaiseJpegError(int code)
{
    char text[40];
    std::snprintf(text, sizeof text, "JPEG error #%d", code);
    throw EPictureError(text);
}

struct FileCloser
{
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenPicture(const std::filesystem::path& file)
{
    std::error_code ec;
    int error = 0;
    FilePtr f;
    if (std::filesystem::is_directory(file, ec)) {
        error = EISDIR;
    } else {
        f.reset(std::fopen(file.c_str(), "rb"));
        error = errno;
    }
    if (f)
        return f;

    bool ok = false;
    std::string name = Utf8ToCp1251(file.string(), &ok);
    if (!ok)
        name = file.string();
    throw EPictureError("Cannot open file \"" + name + "\". " + std::strerror(error));
}

QImage Decode(const std::filesystem::path& file, QSize box, CoverRule cover, QSize* fullSize)
{
    const FilePtr input = OpenPicture(file);

    // Zero-initialised, the structure may be destroyed even when its
    // creation failed.
    Decoder d{};
    d.cinfo.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = ExitWithError;
    d.err.pub.output_message = DiscardMessage;
    const std::unique_ptr<jpeg_decompress_struct, void (*)(jpeg_decompress_struct*)> guard(
        &d.cinfo, jpeg_destroy_decompress);

    if (!Start(d, input.get(), box, cover))
        RaiseJpegError(d.err.pub.msg_code);
    if (fullSize)
        *fullSize = QSize(int(d.cinfo.image_width), int(d.cinfo.image_height));

    QImage image(int(d.cinfo.output_width), int(d.cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull())
        RaiseJpegError(JERR_OUT_OF_MEMORY);
    std::vector<JSAMPLE> cmykRow(d.cmyk ? std::size_t(d.cinfo.output_width) * 4 : 0);

    if (!ReadRows(d, image.bits(), image.bytesPerLine(), cmykRow.data()))
        RaiseJpegError(d.err.pub.msg_code);
    return image;
}

} // namespace

QSize FittedPictureSize(QSize picture, QSize box)
{
    if (picture.width() > box.width() || picture.height() > box.height())
        return picture.scaled(box, Qt::KeepAspectRatio);
    return picture;
}

int CoverScaleEighths(QSize picture, QSize coverBox)
{
    if (!coverBox.isValid())
        return 8;
    // libjpeg rounds a scaled dimension up.
    const auto scaled = [](int size, int n) {
        return (qint64(size) * n + 7) / 8;
    };
    for (int n = 1; n < 8; ++n) {
        if (scaled(picture.width(), n) >= coverBox.width() &&
            scaled(picture.height(), n) >= coverBox.height())
            return n;
    }
    return 8;
}

QImage DecodeJpeg(const std::filesystem::path& file, QSize coverBox, QSize* fullSize)
{
    return Decode(file, coverBox, WholeBox, fullSize);
}

QImage DecodeJpegToFit(const std::filesystem::path& file, QSize box, QSize* fullSize)
{
    // An invalid box asks for the full size, as in DecodeJpeg.
    return Decode(file, box, box.isValid() ? FittedPictureSize : WholeBox, fullSize);
}
