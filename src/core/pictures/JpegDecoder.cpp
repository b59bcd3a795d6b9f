#include "core/pictures/JpegDecoder.h"

#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
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
    qint64 memoryNeeded; // see MemoryNeeded
};

// RGB32 is 0xffRRGGBB in native byte order.
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// The box the decoded picture must cover, from the picture's stored size.
using CoverRule = QSize (*)(QSize picture, QSize box);

QSize WholeBox(QSize, QSize box)
{
    return box;
}

// What the decoding holds at its peak, as far as it grows with the picture:
// the decoded image and, for a picture in several scans (progressive), the
// coefficients of the whole picture, which libjpeg keeps whatever the scale.
qint64 MemoryNeeded(Decoder& d)
{
    qint64 bytes = qint64(d.cinfo.output_width) * d.cinfo.output_height * 4;
    if (jpeg_has_multiple_scans(&d.cinfo)) {
        for (int c = 0; c < d.cinfo.num_components; ++c) {
            const jpeg_component_info& component = d.cinfo.comp_info[c];
            bytes += qint64(component.width_in_blocks + component.h_samp_factor) *
                     (component.height_in_blocks + component.v_samp_factor) *
                     qint64(sizeof(JBLOCK));
        }
    }
    return bytes;
}

bool ReadHeader(Decoder& d, std::FILE* file, QSize box, CoverRule cover, qint64 memoryLimit)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_create_decompress(&d.cinfo);
    // Whole-picture buffers beyond this fail in libjpeg rather than spill
    // to a temporary file.
    d.cinfo.mem->max_memory_to_use = memoryLimit;
    jpeg_stdio_src(&d.cinfo, file);
    jpeg_read_header(&d.cinfo, TRUE);

    d.cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = d.cmyk ? JCS_CMYK : kRgb32Space;
    const QSize picture(int(d.cinfo.image_width), int(d.cinfo.image_height));
    d.cinfo.scale_num = CoverScaleEighths(picture, cover(picture, box));
    d.cinfo.scale_denom = 8;
    jpeg_calc_output_dimensions(&d.cinfo);
    d.memoryNeeded = MemoryNeeded(d);
    return true;
}

bool StartDecompress(Decoder& d)
{
    if (setjmp(d.err.jump))
        return false;
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

[[noreturn]] void RaiseCannotOpen(const std::filesystem::path& file, const std::string& reason)
{
    bool ok = false;
    std::string name = Utf8ToCp1251(file.string(), &ok);
    if (!ok)
        name = file.string();
    throw EPictureError("Cannot open file \"" + name + "\". " + reason);
}

std::string ReasonNotRegular(mode_t mode)
{
    return S_ISDIR(mode) ? SystemErrorText(EISDIR) : Cp("Это не обычный файл");
}

// Only regular files are pictures. A FIFO would block the open until a
// writer came, and a device may block a read or act on being opened, so the
// name is checked before anything is opened, and the file opened without
// waiting is checked again, in case the name changed in between.
FilePtr OpenPicture(const std::filesystem::path& file)
{
    struct stat info = {};
    if (::stat(file.c_str(), &info) != 0)
        RaiseCannotOpen(file, SystemErrorText(errno));
    if (!S_ISREG(info.st_mode))
        RaiseCannotOpen(file, ReasonNotRegular(info.st_mode));

    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        RaiseCannotOpen(file, SystemErrorText(errno));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const std::string reason =
            S_ISREG(info.st_mode) ? SystemErrorText(errno) : ReasonNotRegular(info.st_mode);
        ::close(fd);
        RaiseCannotOpen(file, reason);
    }
    FilePtr f(::fdopen(fd, "rb"));
    if (!f) {
        const int error = errno;
        ::close(fd);
        RaiseCannotOpen(file, SystemErrorText(error));
    }
    return f;
}

// Memory taken from a budget, given back on every way out.
class BudgetShare
{
public:
    BudgetShare(DecodeBudget& budget, qint64 bytes) : m_budget(budget), m_bytes(bytes)
    {
        m_budget.Take(m_bytes);
    }
    ~BudgetShare() { m_budget.GiveBack(m_bytes); }
    BudgetShare(const BudgetShare&) = delete;
    BudgetShare& operator=(const BudgetShare&) = delete;

private:
    DecodeBudget& m_budget;
    qint64 m_bytes;
};

QImage Decode(const std::filesystem::path& file, QSize box, CoverRule cover, QSize* fullSize,
              DecodeBudget& budget, bool shrinkToShown)
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

    if (!ReadHeader(d, input.get(), box, cover, budget.Total()))
        RaiseJpegError(d.err.pub.msg_code);
    if (d.memoryNeeded > budget.Total())
        RaiseJpegError(JERR_OUT_OF_MEMORY);
    const BudgetShare share(budget, d.memoryNeeded);
    if (!StartDecompress(d))
        RaiseJpegError(d.err.pub.msg_code);
    const QSize stored(int(d.cinfo.image_width), int(d.cinfo.image_height));
    if (fullSize)
        *fullSize = stored;

    QImage image(int(d.cinfo.output_width), int(d.cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull())
        RaiseJpegError(JERR_OUT_OF_MEMORY);
    std::vector<JSAMPLE> cmykRow(d.cmyk ? std::size_t(d.cinfo.output_width) * 4 : 0);

    if (!ReadRows(d, image.bits(), image.bytesPerLine(), cmykRow.data()))
        RaiseJpegError(d.err.pub.msg_code);
    if (!shrinkToShown)
        return image;
    const QSize shown = FittedPictureSize(stored, box);
    if (shown == image.size() || shown.isEmpty())
        return image;
    return image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

void DecodeBudget::Take(qint64 bytes)
{
    std::unique_lock lock(m_mutex);
    m_givenBack.wait(lock, [&] { return m_taken + bytes <= m_total; });
    m_taken += bytes;
}

void DecodeBudget::GiveBack(qint64 bytes)
{
    {
        const std::lock_guard lock(m_mutex);
        m_taken -= bytes;
    }
    m_givenBack.notify_all();
}

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
    DecodeBudget own(DecodeBudget::kProductBytes);
    return Decode(file, coverBox, WholeBox, fullSize, own, false);
}

QImage DecodeJpegToFit(const std::filesystem::path& file, QSize box, QSize* fullSize)
{
    DecodeBudget own(DecodeBudget::kProductBytes);
    // An invalid box asks for the full size, as in DecodeJpeg.
    return Decode(file, box, box.isValid() ? FittedPictureSize : WholeBox, fullSize, own, false);
}

QImage DecodeJpegForBox(const std::filesystem::path& file, QSize box, DecodeBudget& budget,
                        QSize* fullSize)
{
    return Decode(file, box, box.isValid() ? FittedPictureSize : WholeBox, fullSize, budget,
                  box.isValid());
}
