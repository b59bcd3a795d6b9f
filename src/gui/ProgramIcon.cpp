#include "gui/ProgramIcon.h"

#include <QPixmap>

QList<QImage> ProgramIconImages()
{
    // Every size is handed to the window manager with each window; the
    // 256 x 256 one alone added several milliseconds to the start, so the
    // large sizes are left to the icon theme. Reading the first image also
    // loads Qt's image-format plugins, which the menu bar's own icon needs.
    QList<QImage> images;
    for (const int size : {16, 32, 48})
        images.append(QImage(QStringLiteral(":/icons/pelmora-%1.png").arg(size), "PNG"));
    return images;
}

QIcon ProgramIcon(const QList<QImage>& images)
{
    QIcon icon;
    for (const QImage& image : images)
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}
