#pragma once

#include <QIcon>

// The program's icon, from the sizes compiled into the program. The desktop
// takes the larger sizes from the installed icon theme through the desktop
// entry.
QIcon ProgramIcon();
