#pragma once

#include <QFrame>
#include <cstdint>
#include <string>

class PictureFrame;
class QTimer;

// How many picture frames the panel shows: the selected product's alone, or
// above the selected order line's. The values are those userinfo.ini keeps.
enum class PreviewMode : uint8_t
{
    OnePicture = 1,
    TwoPictures = 2,
};

// The panel at the main window's right: the pictures of the selected
// catalogue product and, in the two-picture mode, of the selected order line.
class PicturePanel : public QFrame
{
    Q_OBJECT
public:
    explicit PicturePanel(QWidget* parent);

    void setPreviewMode(PreviewMode mode);
    // Fits the frames into the panel for the current mode.
    void layOut();

    // The product's pictures (an Image field) are shown once the selection
    // has rested for a moment, so that a run of moves decodes nothing on the way.
    void scheduleCataloguePictures(std::string pictures);
    const std::string& pendingCataloguePictures() const { return m_pendingCataloguePictures; }
    // The order line's pictures, at once.
    void showOrderPictures(const std::string& pictures);

Q_SIGNALS:
    void cataloguePictureDoubleClicked();
    void orderPictureDoubleClicked();

private:
    void showCataloguePictures();

    PictureFrame* m_catalogueFrame;
    PictureFrame* m_orderFrame;
    QTimer* m_pictureDelayTimer;
    std::string m_pendingCataloguePictures;
    PreviewMode m_mode = PreviewMode::OnePicture;
};
