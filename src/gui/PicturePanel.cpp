#include "gui/PicturePanel.h"

#include "core/pictures/LookAhead.h"
#include "core/pictures/ProductPictures.h"
#include "gui/ErrorHandler.h"
#include "gui/PictureFrame.h"
#include "gui/WidgetPlacement.h"

#include <QTimer>

PicturePanel::PicturePanel(IUserInteraction& ui, QWidget* parent) : QFrame(parent), m_ui(ui)
{
    Named(this, "panelRight");
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    m_catalogueFrame = Named(new PictureFrame(this), "ImageFrame1");
    m_catalogueFrame->setGeometry(2, 2, 296, 240);
    m_orderFrame = Named(new PictureFrame(this), "ImageFrame2");
    m_orderFrame->setGeometry(2, 343, 296, 240);
    m_pictureDelayTimer = Named(new QTimer(this), "Timer1");
    m_pictureDelayTimer->setSingleShot(true);

    connect(m_catalogueFrame, &PictureFrame::mainPictureDoubleClicked, this,
            &PicturePanel::cataloguePictureDoubleClicked);
    connect(m_orderFrame, &PictureFrame::mainPictureDoubleClicked, this,
            &PicturePanel::orderPictureDoubleClicked);
    connect(m_pictureDelayTimer, &QTimer::timeout, this,
            Guard(m_ui, this, &PicturePanel::showCataloguePictures));
    connect(m_catalogueFrame, &PictureFrame::resizeSettled, this,
            Guard(m_ui, m_catalogueFrame, &PictureFrame::showAgain));
    connect(m_orderFrame, &PictureFrame::resizeSettled, this,
            &PicturePanel::showOrderPicturesAgain);
}

void PicturePanel::setPreviewMode(PreviewMode mode)
{
    m_mode = mode;
    m_catalogueFrame->show();
    m_orderFrame->setVisible(mode == PreviewMode::TwoPictures);
    layOut();
}

void PicturePanel::layOut()
{
    const QRect client = contentsRect();
    const int height = client.height();
    if (m_mode == PreviewMode::OnePicture) {
        m_catalogueFrame->setGeometry(client.x(), client.y(), client.width(), height);
    } else {
        m_catalogueFrame->setGeometry(client.x(), client.y(), client.width(), height / 2);
        const int lowerTop = m_catalogueFrame->y() + m_catalogueFrame->height() + 1;
        m_orderFrame->setGeometry(client.x(), lowerTop, client.width(), height / 2);
    }
}

void PicturePanel::setPictureFolder(const std::string& folder)
{
    m_catalogueFrame->setPictureFolder(folder);
    m_orderFrame->setPictureFolder(folder);
}

void PicturePanel::setPictureCache(PictureCache& cache, LookAhead& lookAhead)
{
    m_catalogueFrame->setPictureCache(cache);
    m_orderFrame->setPictureCache(cache);
    m_lookAhead = &lookAhead;
}

void PicturePanel::scheduleCataloguePictures(std::string pictures, std::vector<std::string> nearby)
{
    // What was wanted around the previous selection is wanted no more, but
    // for the pictures of this one, which go on being decoded meanwhile.
    if (m_lookAhead)
        m_lookAhead->keepOnly(ShownPictureFiles(m_catalogueFrame->pictureFolder(), pictures));
    m_pendingCataloguePictures = std::move(pictures);
    m_nearbyCataloguePictures = std::move(nearby);
    m_pictureDelayTimer->stop();
    m_pictureDelayTimer->setInterval(50);
    m_pictureDelayTimer->start();
}

void PicturePanel::showCataloguePictures()
{
    m_pictureDelayTimer->stop();
    m_catalogueFrame->showPictures(m_pendingCataloguePictures);
    // The pictures reach the screen before the helpers start decoding ahead:
    // woken, they would take the cores from the paint.
    m_catalogueFrame->repaint();
    lookAhead(m_catalogueFrame, m_nearbyCataloguePictures);
}

void PicturePanel::showOrderPictures(const std::string& pictures,
                                     const std::vector<std::string>& nearby)
{
    if (m_lookAhead)
        m_lookAhead->cancel();
    m_orderFrame->showPictures(pictures);
    m_orderFrame->repaint();
    lookAhead(m_orderFrame, nearby);
}

// The lower frame is a convenience: a picture it cannot show is no error.
void PicturePanel::showOrderPicturesAgain()
{
    try {
        m_orderFrame->showAgain();
    } catch (const std::exception&) {
    }
}

void PicturePanel::lookAhead(const PictureFrame* frame, const std::vector<std::string>& nearby)
{
    if (!m_lookAhead || nearby.empty())
        return;
    std::vector<PictureJob> jobs;
    for (const std::string& list : nearby) {
        for (std::filesystem::path& file : ShownPictureFiles(frame->pictureFolder(), list))
            jobs.push_back({std::move(file), frame->decodeBox()});
    }
    m_lookAhead->request(std::move(jobs));
}
