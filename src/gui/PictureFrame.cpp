#include "gui/PictureFrame.h"

#include "core/pictures/JpegDecoder.h"
#include "core/pictures/PictureList.h"
#include "core/pictures/PicturePath.h"
#include "core/text/Cp1251.h"
#include "gui/PictureBox.h"
#include "gui/WidgetPlacement.h"

#include <future>
#include <map>

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

struct LoadedPicture
{
    QImage Image;
    QSize FullSize;
};

LoadedPicture LoadPicture(const std::filesystem::path& file, QSize box, DecodeBudget* budget)
{
    LoadedPicture picture;
    picture.Image = DecodeJpegForBox(file, box, *budget, &picture.FullSize);
    return picture;
}

} // namespace

PictureFrame::PictureFrame(QWidget* parent)
    : QFrame(parent), m_mainPicture(Named(new PictureBox(this), "mainImage")),
      m_firstThumbnail(Named(new PictureBox(this), "smallImage"))
{
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

void PictureFrame::showPictures(const std::string& list)
{
    ++m_listsShown;
    m_thumbnails.clear();

    const std::vector<std::string> names = SplitPictureList(list);
    // A list of blanks names no picture either.
    if (names.empty()) {
        m_mainPicture->clear();
        m_firstThumbnail->clear();
        return;
    }

    // Every picture is decoded once, at the scale the large box shows it at,
    // and only the picture as shown there is kept; the thumbnails shrink the
    // same image. The decodings share one budget, so a product's pictures
    // together never take more memory than one picture may. The further
    // pictures decode on helper threads while this one decodes the first, so a product's pictures
    // take about the time of one per core. The results are taken in list
    // order, so a picture that cannot be read stops the frame at the same
    // place as reading one after the other would; the helpers touch nothing
    // but their own file and image, and all of them have ended when this
    // returns or throws.
    const QSize shownSize = decodeBox();
    const auto fileOf = [this](const std::string& name) {
        return std::filesystem::path(Cp1251ToUtf8(PictureFile(m_pictureFolder, name)));
    };
    // Declared before the decodings, which use it until they end.
    DecodeBudget budget(DecodeBudget::kProductBytes);
    std::map<std::string, std::shared_future<LoadedPicture>> further;
    for (std::size_t i = 1; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name.empty() || name == names.front() || further.count(name) != 0)
            continue;
        // Without a thread to spare, the picture is decoded when it is asked for.
        further.emplace(name, std::async(std::launch::async | std::launch::deferred, LoadPicture,
                                         fileOf(name), shownSize, &budget)
                                  .share());
    }
    const LoadedPicture first = LoadPicture(fileOf(names.front()), shownSize, &budget);
    const UpdatesHeldOff heldOff(this);
    m_mainPicture->setPicture(first.Image, first.FullSize);
    m_firstThumbnail->setPicture(first.Image, first.FullSize);

    for (std::size_t i = 1; i < names.size(); ++i) {
        if (names[i].empty())
            continue;
        const LoadedPicture& picture =
            names[i] == names.front() ? first : further.at(names[i]).get();
        addThumbnail(picture.Image, picture.FullSize);
    }
}

void PictureFrame::addThumbnail(const QImage& picture, QSize fullSize)
{
    auto box = std::make_unique<PictureBox>(this);
    box->setGeometry(thumbnailRect(int(m_thumbnails.size()) + 1));
    box->setPicture(picture, fullSize);
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

// The largest box a picture may appear in: the large one, or a thumbnail
// when the frame is too small for the large one to be larger.
QSize PictureFrame::decodeBox() const
{
    const QSize large(width(), height() - StripHeight);
    return large.expandedTo(QSize(ThumbnailWidth, StripHeight));
}
