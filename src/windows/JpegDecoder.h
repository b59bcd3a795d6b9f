#pragma once

#include <QImage>
#include <QSize>
#include <filesystem>
#include <stdexcept>

// A picture that cannot be read: the file does not open ("Cannot open file
// "%s". %s") or libjpeg rejects its contents ("JPEG error #%d"). what() is
// Windows-1251.
class EPictureError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
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
// stored size. The result has the format QImage::Format_RGB32.
QImage DecodeJpeg(const std::filesystem::path& file, QSize coverBox = QSize(),
                  QSize* fullSize = nullptr);

// As DecodeJpeg, at the smallest scale that still covers the picture as it
// appears in `box` (FittedPictureSize) rather than the whole box: a picture
// of another shape than the box needs less. The picture shrunk from the
// result to its shown size looks as one shrunk from the full size.
QImage DecodeJpegToFit(const std::filesystem::path& file, QSize box, QSize* fullSize = nullptr);
