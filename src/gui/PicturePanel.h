#pragma once

#include "core/settings/PreviewMode.h"

#include <QFrame>
#include <string>
#include <vector>

class IUserInteraction;
class LookAhead;
class PictureCache;
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
    // Both frames show their pictures through `cache`; `lookAhead` decodes
    // the pictures of the rows around the selected one into it.
    void setPictureCache(PictureCache& cache, LookAhead& lookAhead);

    // The product's pictures (an Image field) are shown once the selection
    // has rested for a moment, so that a run of moves decodes nothing on the way.
    // `nearby` are the picture lists of the rows around it, decoded ahead
    // once it is shown.
    void scheduleCataloguePictures(std::string pictures, std::vector<std::string> nearby = {});
    const std::string& pendingCataloguePictures() const { return m_pendingCataloguePictures; }
    // The order line's pictures, at once.
    void showOrderPictures(const std::string& pictures,
                           const std::vector<std::string>& nearby = {});

Q_SIGNALS:
    void cataloguePictureDoubleClicked();
    void orderPictureDoubleClicked();

private:
    void showCataloguePictures();
    void showOrderPicturesAgain();
    void lookAhead(const PictureFrame* frame, const std::vector<std::string>& nearby);

    IUserInteraction& m_ui;
    PictureFrame* m_catalogueFrame;
    PictureFrame* m_orderFrame;
    QTimer* m_pictureDelayTimer;
    std::string m_pendingCataloguePictures;
    std::vector<std::string> m_nearbyCataloguePictures;
    LookAhead* m_lookAhead = nullptr;
    PreviewMode m_mode = PreviewMode::OnePicture;
};
