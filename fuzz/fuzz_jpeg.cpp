// The picture decoder on arbitrary files: a file is either refused with a
// picture error or gives an RGB32 image of the size that its header and the
// chosen scale call for.
#include "FuzzSupport.h"

#include "core/pictures/JpegDecoder.h"

namespace {

// libjpeg's scaled size: the stored size times n/8, rounded up.
int Scaled(int size, int eighths)
{
    return static_cast<int>((static_cast<qint64>(size) * eighths + 7) / 8);
}

// The stored size, or an invalid size when the file is refused.
QSize Decode(const std::filesystem::path& file, QSize coverBox)
{
    QSize fullSize;
    QImage image;
    try {
        image = DecodeJpeg(file, coverBox, &fullSize);
    } catch (const EPictureError&) {
        return QSize();
    }
    FUZZ_CHECK(!image.isNull());
    FUZZ_CHECK(image.format() == QImage::Format_RGB32);
    const int eighths = CoverScaleEighths(fullSize, coverBox);
    FUZZ_CHECK(image.width() == Scaled(fullSize.width(), eighths));
    FUZZ_CHECK(image.height() == Scaled(fullSize.height(), eighths));
    return fullSize;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::filesystem::path file = ScratchFile("picture.jpg");
    WriteScratchFile(file, data, size);
    // As a thumbnail is decoded, scaled down to cover its box; then at full
    // size, for small pictures (a header may claim up to 65535 x 65535).
    const QSize fullSize = Decode(file, QSize(105, 71));
    if (fullSize.isValid() && qint64(fullSize.width()) * fullSize.height() <= 1 << 16)
        Decode(file, QSize());
    // As the picture frame decodes it: only the shown picture comes back.
    if (fullSize.isValid()) {
        DecodeBudget budget(DecodeBudget::kProductBytes);
        QSize stored;
        try {
            const QImage shown = DecodeJpegForBox(file, QSize(296, 169), budget, &stored);
            const QSize fitted = FittedPictureSize(stored, QSize(296, 169));
            FUZZ_CHECK(fitted.isEmpty() || shown.size() == fitted); // empty: nothing shows
        } catch (const EPictureError&) {
        }
    }
    return 0;
}
