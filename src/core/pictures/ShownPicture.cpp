#include "core/pictures/ShownPicture.h"

const ShownPicture& ShownPicture::orThrow() const
{
    if (failed())
        throw EPictureError(Error);
    return *this;
}

qint64 ShownPicture::bytes() const
{
    const qint64 thumbnail = Thumbnail.cacheKey() == Image.cacheKey() ? 0 : Thumbnail.sizeInBytes();
    return Image.sizeInBytes() + thumbnail + qint64(Error.size());
}

ShownPicture DecodeShownPicture(const std::filesystem::path& file, QSize box, DecodeBudget& budget)
{
    ShownPicture picture;
    try {
        picture.Image = DecodeJpegForBox(file, box, budget, &picture.FullSize);
        // As the thumbnail's box would shrink it when painting; never larger
        // than the picture as decoded, which the box enlarges itself.
        const QSize thumbnail =
            FittedPictureSize(picture.FullSize, QSize(kThumbnailWidth, kThumbnailHeight));
        const QSize decoded = picture.Image.size();
        picture.Thumbnail =
            thumbnail.isEmpty() || thumbnail.width() >= decoded.width() ||
                    thumbnail.height() >= decoded.height()
                ? picture.Image
                : picture.Image.scaled(thumbnail, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } catch (const EPictureError& e) {
        picture.Error = e.what();
    }
    return picture;
}
