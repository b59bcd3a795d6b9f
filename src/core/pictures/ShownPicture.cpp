#include "core/pictures/ShownPicture.h"

const ShownPicture& ShownPicture::orThrow() const
{
    if (failed())
        throw EPictureError(Error);
    return *this;
}

qint64 ShownPicture::bytes() const
{
    return Image.sizeInBytes() + qint64(Error.size());
}

ShownPicture DecodeShownPicture(const std::filesystem::path& file, QSize box, DecodeBudget& budget)
{
    ShownPicture picture;
    try {
        picture.Image = DecodeJpegForBox(file, box, budget, &picture.FullSize);
    } catch (const EPictureError& e) {
        picture.Error = e.what();
    }
    return picture;
}
