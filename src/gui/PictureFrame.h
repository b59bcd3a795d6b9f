#pragma once

#include "core/pictures/ShownPicture.h"

#include <QFrame>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class PictureBox;
class PictureCache;
class QTimer;

// The picture frame: the first picture of a product large, all of them as
// thumbnails in a strip beneath. Clicking a thumbnail shows it large.
class PictureFrame : public QFrame
{
    Q_OBJECT
public:
    // The height of the thumbnail strip and the size of one thumbnail.
    static constexpr int StripHeight = kThumbnailHeight;
    static constexpr int ThumbnailWidth = kThumbnailWidth;

    explicit PictureFrame(QWidget* parent = nullptr);
    ~PictureFrame() override;

    // The folder the pictures are read from, as the catalogue names it
    // (Windows-1251).
    void setPictureFolder(std::string folder) { m_pictureFolder = std::move(folder); }
    const std::string& pictureFolder() const { return m_pictureFolder; }
    // The pictures are taken from `cache` and kept there; without one the
    // frame keeps a cache of its own.
    void setPictureCache(PictureCache& cache) { m_cache = &cache; }

    // `list` is an Image field (Windows-1251): names separated by ";" or
    // blanks, read from the picture folder. An empty list
    // clears the frame. Raises EPictureError on a picture that cannot be
    // read: when it is the first, the large picture stays as it was and the
    // thumbnails are gone; otherwise the thumbnails made so far stay.
    void showPictures(const std::string& list);

    // How many lists the frame was given, each decoded afresh.
    int listsShown() const { return m_listsShown; }
    // The list shown last, "" when none.
    const std::string& shownList() const { return m_shownList; }
    // Shows the last list again, at the frame's present size.
    void showAgain() { showPictures(std::string(m_shownList)); }

    // The size the pictures are decoded at: the largest box a picture may
    // appear in.
    QSize decodeBox() const;

    PictureBox* mainPicture() const { return m_mainPicture; }
    PictureBox* firstThumbnail() const { return m_firstThumbnail; }
    // The thumbnails after the first, in list order.
    std::vector<PictureBox*> furtherThumbnails() const;

Q_SIGNALS:
    // A double-click on the large picture.
    void mainPictureDoubleClicked();
    // The frame was resized and has rested since, so its pictures want
    // decoding again for the new size (see showAgain()).
    void resizeSettled();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void addThumbnail(const ShownPicture& picture);
    void showLarge(PictureBox* thumbnail);
    void layOut();
    QRect thumbnailRect(int index) const;
    PictureCache& cache();

    PictureBox* m_mainPicture;
    PictureBox* m_firstThumbnail;
    std::vector<std::unique_ptr<PictureBox>> m_thumbnails;
    std::string m_pictureFolder;
    int m_listsShown = 0;
    std::string m_shownList;
    QSize m_shownBox;
    PictureCache* m_cache = nullptr;
    std::unique_ptr<PictureCache> m_ownCache;
    QTimer* m_resizeTimer;
};
