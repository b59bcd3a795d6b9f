#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The images of the program's icon, from the sizes compiled into the
// program. The desktop takes the larger sizes from the installed icon theme
// through the desktop entry. Images, unlike pixmaps, may be decoded on any
// thread, so the start decodes them beside the windows' construction.
QList<QImage> ProgramIconImages();

// The icon for the program's windows, made on the window's thread.
QIcon ProgramIcon(const QList<QImage>& images);
