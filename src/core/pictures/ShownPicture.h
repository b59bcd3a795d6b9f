#pragma once

#include "core/pictures/JpegDecoder.h"

#include <QImage>
#include <QSize>
#include <filesystem>
#include <string>

// The box of a thumbnail in the picture frame's strip.
constexpr int kThumbnailWidth = 105;
constexpr int kThumbnailHeight = 71;

// One picture as a picture box shows it, or why its file could not be read.
struct ShownPicture
{
    QImage Image; // at the size it is shown at
    // Image shrunk smoothly into the thumbnail box, made where the picture
    // is decoded, so that a thumbnail's paint has nothing to scale; Image
    // itself when the box would not shrink it.
    QImage Thumbnail;
    QSize FullSize;    // the picture's stored size
    std::string Error; // the EPictureError text (Windows-1251); empty when read

    bool failed() const { return !Error.empty(); }
    // Raises the error met reading the file again, with the same text.
    const ShownPicture& orThrow() const;
    // What holding it costs.
    qint64 bytes() const;
};

// Decodes `file` as DecodeJpegForBox does, within `budget`. A file that
// cannot be read gives its error in the result instead of raising it.
ShownPicture DecodeShownPicture(const std::filesystem::path& file, QSize box, DecodeBudget& budget);
