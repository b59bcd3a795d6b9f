#include "gui/ProgramIcon.h"

#include <QImage>
#include <QPixmap>

QIcon ProgramIcon()
{
    // Every size is handed to the window manager with each window; the
    // 256 x 256 one alone added several milliseconds to the start, so the
    // large sizes are left to the icon theme. Reading the first image also
    // loads Qt's image-format plugins, which the menu bar's own icon needs.
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addPixmap(
            QPixmap::fromImage(QImage(QStringLiteral(":/icons/pelmora-%1.png").arg(size), "PNG")));
    return icon;
}
