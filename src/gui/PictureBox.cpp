#include "gui/PictureBox.h"

#include "core/pictures/JpegDecoder.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QImage& image, QSize fullSize, const QImage& scaled)
{
    m_image = image;
    m_fullSize = fullSize.isValid() ? fullSize : image.size();
    m_scaled = scaled;
    update();
}

void PictureBox::clear()
{
    setPicture(QImage());
}

QRect PictureBox::placePicture(QSize fullSize, QSize box)
{
    // The same size the frame decodes for, so a picture is never enlarged.
    const QSize shown = FittedPictureSize(fullSize, box);
    return QRect(QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2),
                 shown);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_image.isNull())
        return;
    const QRect place = placePicture(m_fullSize, size());
    if (place.isEmpty())
        return;
    if (m_scaled.size() != place.size()) {
        m_scaled =
            place.size() == m_image.size()
                ? m_image
                : m_image.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPainter painter(this);
    painter.drawImage(place.topLeft(), m_scaled);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

// A click is a left press and release over the box.
void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}
