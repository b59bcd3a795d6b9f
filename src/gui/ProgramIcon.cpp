#include "gui/ProgramIcon.h"

QIcon ProgramIcon()
{
    // Every size is decoded at start and handed to the window manager with
    // each window; the 256 x 256 one alone added several milliseconds to the
    // start, so the large sizes are left to the icon theme.
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/pelmora-%1.png").arg(size), QSize(size, size));
    return icon;
}
