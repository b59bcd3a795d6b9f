#pragma once

#include "core/settings/PreviewMode.h"

#include <QFrame>
#include <string>

class IUserInteraction;
class PictureFrame;
class QTimer;

// The panel at the main window's right: the pictures of the selected
// catalogue product and, in the two-picture mode, of the selected order line.
class PicturePanel : public QFrame
{
    Q_OBJECT
public:
    PicturePanel(IUserInteraction& ui, QWidget* parent);

    void setPreviewMode(PreviewMode mode);
    // Fits the frames into the panel for the current mode.
    void layOut();
    // The folder both frames read their pictures from (Windows-1251).
    void setPictureFolder(const std::string& folder);

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

    IUserInteraction& m_ui;
    PictureFrame* m_catalogueFrame;
    PictureFrame* m_orderFrame;
    QTimer* m_pictureDelayTimer;
    std::string m_pendingCataloguePictures;
    PreviewMode m_mode = PreviewMode::OnePicture;
};
