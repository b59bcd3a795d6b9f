#pragma once

#include <QImage>
#include <QSize>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <stdexcept>

// A picture that cannot be read: the file does not open or is no regular
// file ("Cannot open file "%s". %s", with the system's reason) or libjpeg
// rejects its contents ("JPEG error #%d"). what() is Windows-1251.
class EPictureError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The memory that the decodings of one product's pictures may hold at once,
// shared by the threads that decode them. A decoding takes what its picture
// needs (the decoded image and libjpeg's whole-picture buffers) before it
// starts, waiting while the others hold too much, and gives it back when it
// ends; a picture that needs more than the whole is refused as libjpeg
// refuses memory it cannot have ("JPEG error #%d", out of memory).
class DecodeBudget
{
public:
    // A damaged header may claim any size up to 65535 x 65535.
    static constexpr qint64 kProductBytes = qint64(256) << 20;

    explicit DecodeBudget(qint64 bytes) : m_total(bytes) {}
    DecodeBudget(const DecodeBudget&) = delete;
    DecodeBudget& operator=(const DecodeBudget&) = delete;

    qint64 Total() const { return m_total; }
    // Waits until `bytes`, at most Total(), are free and takes them.
    void Take(qint64 bytes);
    void GiveBack(qint64 bytes);

private:
    std::mutex m_mutex;
    std::condition_variable m_givenBack;
    const qint64 m_total;
    qint64 m_taken = 0;
};

// The numerator n of the smallest libjpeg scale n/8 at which a picture of
// `picture` pixels still covers `coverBox` in both directions; 8 when even
// the full size does not, or when the box is invalid.
int CoverScaleEighths(QSize picture, QSize coverBox);

// The size at which a picture of `picture` pixels appears in a box of `box`
// pixels: shrunk to fit with its aspect ratio kept when it is larger than the
// box in either direction, else its own size.
QSize FittedPictureSize(QSize picture, QSize box);

// Reads `file` as a JPEG picture whatever its extension, decoding it at the
// smallest scale that covers `coverBox` (QSize() for the full size), so a
// large photograph shown in a small box never passes through memory at full
// size. Grayscale and CMYK pictures come out as RGB; a truncated file gives
// the part that is there. `fullSize`, when given, receives the picture's
// stored size. The result has the format QImage::Format_RGB32. The decoding
// has DecodeBudget::kProductBytes to itself.
QImage DecodeJpeg(const std::filesystem::path& file, QSize coverBox = QSize(),
                  QSize* fullSize = nullptr);

// As DecodeJpeg, at the smallest scale that still covers the picture as it
// appears in `box` (FittedPictureSize) rather than the whole box: a picture
// of another shape than the box needs less. The picture shrunk from the
// result to its shown size looks as one shrunk from the full size.
QImage DecodeJpegToFit(const std::filesystem::path& file, QSize box, QSize* fullSize = nullptr);

// The picture as it appears in `box`: decoded as DecodeJpegToFit decodes it
// and shrunk to FittedPictureSize, within `budget`. Only the shown picture
// outlives the call.
QImage DecodeJpegForBox(const std::filesystem::path& file, QSize box, DecodeBudget& budget,
                        QSize* fullSize = nullptr);
