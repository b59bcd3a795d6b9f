#include "windows/TImageFrame.h"

#include "app/AppState.h"
#include "app/Cp1251.h"
#include "windows/JpegDecoder.h"
#include "windows/PictureList.h"
#include "windows/TPictureBox.h"

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

} // namespace

TImageFrame::TImageFrame(QWidget* parent)
    : QFrame(parent), mainImage(new TPictureBox(this)), smallImage(new TPictureBox(this))
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);

    connect(mainImage, &TPictureBox::doubleClicked, this, &TImageFrame::mainImageDoubleClicked);
    connect(smallImage, &TPictureBox::clicked, this, [this] { smallImageClick(smallImage); });

    resize(320, 240);
    LayOut();
}

// The thumbnails go before the frame's own children.
TImageFrame::~TImageFrame() = default;

std::vector<TPictureBox*> TImageFrame::ThumbnailBoxes() const
{
    std::vector<TPictureBox*> boxes;
    boxes.reserve(Thumbnails.size());
    for (const auto& box : Thumbnails)
        boxes.push_back(box.get());
    return boxes;
}

void TImageFrame::ShowImages(const std::string& list)
{
    Thumbnails.clear();

    const std::vector<std::string> names = SplitPictureList(list);
    // A list of blanks names no picture either.
    if (names.empty()) {
        mainImage->Clear();
        smallImage->Clear();
        return;
    }

    // Every picture is decoded once, at the scale the large box needs; the
    // thumbnails shrink the same image.
    const QSize decodeBox = DecodeBox();
    std::map<std::string, LoadedPicture> loaded;
    const auto load = [&](const std::string& name) -> const LoadedPicture& {
        auto found = loaded.find(name);
        if (found != loaded.end())
            return found->second;
        LoadedPicture picture;
        picture.Image = DecodeJpeg(std::filesystem::path(Cp1251ToUtf8(App().DBImgPath + name)),
                                   decodeBox, &picture.FullSize);
        return loaded.emplace(name, std::move(picture)).first->second;
    };

    const LoadedPicture& first = load(names.front());
    const UpdatesHeldOff heldOff(this);
    mainImage->SetPicture(first.Image, first.FullSize);
    smallImage->SetPicture(first.Image, first.FullSize);

    for (std::size_t i = 1; i < names.size(); ++i) {
        if (names[i].empty())
            continue;
        const LoadedPicture& picture = load(names[i]);
        auto box = std::make_unique<TPictureBox>(this);
        box->setGeometry(ThumbnailRect(int(Thumbnails.size()) + 1));
        box->SetPicture(picture.Image, picture.FullSize);
        TPictureBox* raw = box.get();
        connect(raw, &TPictureBox::clicked, this, [this, raw] { smallImageClick(raw); });
        box->show();
        Thumbnails.push_back(std::move(box));
    }
}

void TImageFrame::smallImageClick(TPictureBox* box)
{
    mainImage->SetPicture(box->Picture(), box->PictureFullSize());
}

void TImageFrame::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    LayOut();
}

// The large box takes the width and all height above the strip; the strip
// keeps its height at the bottom, the thumbnails left to right from its left
// end, cut off by the frame's right edge.
void TImageFrame::LayOut()
{
    mainImage->setGeometry(0, 0, width(), std::max(0, height() - StripHeight));
    smallImage->setGeometry(ThumbnailRect(0));
    for (std::size_t i = 0; i < Thumbnails.size(); ++i)
        Thumbnails[i]->setGeometry(ThumbnailRect(int(i) + 1));
}

QRect TImageFrame::ThumbnailRect(int index) const
{
    return QRect(index * ThumbnailWidth, height() - StripHeight, ThumbnailWidth, StripHeight);
}

// The largest box a picture may appear in: the large one, or a thumbnail
// when the frame is too small for the large one to be larger.
QSize TImageFrame::DecodeBox() const
{
    const QSize large(width(), height() - StripHeight);
    return large.expandedTo(QSize(ThumbnailWidth, StripHeight));
}
