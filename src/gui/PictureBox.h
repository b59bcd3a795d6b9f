#pragma once

#include <QImage>
#include <QWidget>

// A picture box of the picture frame: shows its picture centred, shrunk to
// fit with its aspect ratio kept, never enlarged past the picture's own size.
// The box is transparent around the picture. The picture may have been
// decoded smaller than its stored size; the box still sizes it by the stored
// size, so a picture looks the same whatever scale it was decoded at.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // `fullSize` is the picture's stored size; an invalid one means the
    // image's own size. `scaled` is the image already shrunk for this box,
    // when the caller has it; one of another size is made again.
    void setPicture(const QImage& image, QSize fullSize = QSize(), const QImage& scaled = QImage());
    void clear();

    const QImage& picture() const { return m_image; }
    QSize pictureFullSize() const { return m_fullSize; }
    bool isEmpty() const { return m_image.isNull(); }

    // Where and at what size the picture appears in a box of `box` pixels.
    static QRect placePicture(QSize fullSize, QSize box);

Q_SIGNALS:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    QSize m_fullSize;
    // The picture scaled for the current box size, made on the first paint
    // at that size.
    QImage m_scaled;
    bool m_pressed = false;
};
