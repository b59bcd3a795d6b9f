#pragma once

#include <QFrame>
#include <memory>
#include <string>
#include <vector>

class PictureBox;

// The picture frame: the first picture of a product large, all of them as
// thumbnails in a strip beneath. Clicking a thumbnail shows it large.
class PictureFrame : public QFrame
{
    Q_OBJECT
public:
    // The height of the thumbnail strip and the size of one thumbnail.
    static constexpr int StripHeight = 71;
    static constexpr int ThumbnailWidth = 105;

    explicit PictureFrame(QWidget* parent = nullptr);
    ~PictureFrame() override;

    // `list` is an Image field (Windows-1251): names separated by ";" or
    // blanks, read from the picture folder App().DBImgPath. An empty list
    // clears the frame. Raises EPictureError on a picture that cannot be
    // read: when it is the first, the large picture stays as it was and the
    // thumbnails are gone; otherwise the thumbnails made so far stay.
    void ShowImages(const std::string& list);

    PictureBox* MainImage() const { return mainImage; }
    PictureBox* SmallImage() const { return smallImage; }
    // The thumbnails after smallImage, in list order.
    std::vector<PictureBox*> ThumbnailBoxes() const;

Q_SIGNALS:
    // A double-click on the large picture.
    void mainImageDoubleClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void smallImageClick(PictureBox* box);
    void LayOut();
    QRect ThumbnailRect(int index) const;
    QSize DecodeBox() const;

    PictureBox* mainImage;
    PictureBox* smallImage;
    std::vector<std::unique_ptr<PictureBox>> Thumbnails;
};
