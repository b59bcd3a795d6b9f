#pragma once

#include <QSize>

class QWidget;

// Gives a top-level window `outer` as its size with the window manager's
// frame included. The frame is known only once the window is on the screen:
// until then the inside takes the whole size, and when the frame shows up
// the inside is made smaller by it, once; a window with a parent is then
// centred over the parent's window again. Without a window manager the
// inside keeps the whole size.
void KeepOuterSize(QWidget* window, QSize outer);
