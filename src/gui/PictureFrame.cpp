#include "gui/PictureFrame.h"

#include "core/pictures/ProductPictures.h"
#include "gui/PictureBox.h"
#include "gui/WidgetPlacement.h"

#include <QTimer>

namespace {

// Repainting is held off while the boxes change, and resumes on every way
// out, an exception included.
class UpdatesHeldOff
{
public:
    explicit UpdatesHeldOff(QWidget* widget) : m_widget(widget)
    {
        m_widget->setUpdatesEnabled(false);
    }
    ~UpdatesHeldOff() { m_widget->setUpdatesEnabled(true); }
    UpdatesHeldOff(const UpdatesHeldOff&) = delete;
    UpdatesHeldOff& operator=(const UpdatesHeldOff&) = delete;

private:
    QWidget* m_widget;
};

} // namespace

PictureFrame::PictureFrame(QWidget* parent)
    : QFrame(parent), m_mainPicture(Named(new PictureBox(this), "mainImage")),
      m_firstThumbnail(Named(new PictureBox(this), "smallImage")), m_resizeTimer(new QTimer(this))
{
    // A drag of the window's edge resizes many times; the pictures are
    // decoded again once, when it rests.
    m_resizeTimer->setSingleShot(true);
    m_resizeTimer->setInterval(150);
    connect(m_resizeTimer, &QTimer::timeout, this, [this] {
        if (!m_shownList.empty() && decodeBox() != m_shownBox)
            Q_EMIT resizeSettled();
    });

    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);

    connect(m_mainPicture, &PictureBox::doubleClicked, this,
            &PictureFrame::mainPictureDoubleClicked);
    connect(m_firstThumbnail, &PictureBox::clicked, this, [this] { showLarge(m_firstThumbnail); });

    resize(320, 240);
    layOut();
}

// The thumbnails go before the frame's own children.
PictureFrame::~PictureFrame() = default;

std::vector<PictureBox*> PictureFrame::furtherThumbnails() const
{
    std::vector<PictureBox*> boxes;
    boxes.reserve(m_thumbnails.size());
    for (const auto& box : m_thumbnails)
        boxes.push_back(box.get());
    return boxes;
}

PictureCache& PictureFrame::cache()
{
    if (!m_cache) {
        m_ownCache = std::make_unique<PictureCache>(PictureCache::kDefaultBytes);
        m_cache = m_ownCache.get();
    }
    return *m_cache;
}

void PictureFrame::showPictures(const std::string& list)
{
    ++m_listsShown;
    m_thumbnails.clear();
    // A list that fails is not decoded again on a resize: its error was shown.
    m_shownList.clear();
    m_shownBox = decodeBox();

    const std::vector<std::filesystem::path> files = ShownPictureFiles(m_pictureFolder, list);
    // A list of blanks names no picture either.
    if (files.empty()) {
        m_mainPicture->clear();
        m_firstThumbnail->clear();
        return;
    }

    // Every picture is decoded once, at the scale the large box shows it at,
    // and only the picture as shown there is kept; the thumbnails shrink the
    // same image. The results are taken in list order, so a picture that
    // cannot be read stops the frame at the same place as reading one after
    // the other would.
    const std::vector<ShownPicture> pictures = DecodeProductPictures(cache(), files, m_shownBox);
    const ShownPicture& first = pictures.front().orThrow();
    const UpdatesHeldOff heldOff(this);
    m_mainPicture->setPicture(first.Image, first.FullSize);
    m_firstThumbnail->setPicture(first.Image, first.FullSize, first.Thumbnail);
    for (std::size_t i = 1; i < pictures.size(); ++i) {
        const ShownPicture& picture = pictures[i].orThrow();
        addThumbnail(picture);
    }
    m_shownList = list;
}

void PictureFrame::addThumbnail(const ShownPicture& picture)
{
    auto box = std::make_unique<PictureBox>(this);
    box->setGeometry(thumbnailRect(int(m_thumbnails.size()) + 1));
    box->setPicture(picture.Image, picture.FullSize, picture.Thumbnail);
    PictureBox* raw = box.get();
    connect(raw, &PictureBox::clicked, this, [this, raw] { showLarge(raw); });
    box->show();
    m_thumbnails.push_back(std::move(box));
}

void PictureFrame::showLarge(PictureBox* box)
{
    m_mainPicture->setPicture(box->picture(), box->pictureFullSize());
}

void PictureFrame::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    layOut();
    if (!m_shownList.empty())
        m_resizeTimer->start();
}

// The large box takes the width and all height above the strip; the strip
// keeps its height at the bottom, the thumbnails left to right from its left
// end, cut off by the frame's right edge.
void PictureFrame::layOut()
{
    m_mainPicture->setGeometry(0, 0, width(), std::max(0, height() - StripHeight));
    m_firstThumbnail->setGeometry(thumbnailRect(0));
    for (std::size_t i = 0; i < m_thumbnails.size(); ++i)
        m_thumbnails[i]->setGeometry(thumbnailRect(int(i) + 1));
}

QRect PictureFrame::thumbnailRect(int index) const
{
    return QRect(index * ThumbnailWidth, height() - StripHeight, ThumbnailWidth, StripHeight);
}

// The large box, or a thumbnail when the frame is too small for the large
// one to be larger.
QSize PictureFrame::decodeBox() const
{
    const QSize large(width(), height() - StripHeight);
    return large.expandedTo(QSize(ThumbnailWidth, StripHeight));
}
