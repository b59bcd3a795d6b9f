#include "gui/ProgramIcon.h"

QIcon ProgramIcon()
{
    // Every size is decoded at once and handed to the window manager with each
    // window, so the largest one, 256 x 256, is left to the icon theme: it
    // took longer to decode and send than the rest of the window's icon work.
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/pelmora-%1.png").arg(size), QSize(size, size));
    return icon;
}
