#pragma once

class QAction;
class QMainWindow;

// The "Правка" menu: taking back and making again the order's changes, and
// adding a pasted list of products.
struct EditMenu
{
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* pasteList = nullptr;
};

// Adds the menu to the menu bar of `window`, right after its first menu.
// Undo and redo leave their keys to a focused text box, which undoes its own
// typing; the list paste runs wherever the focus is.
EditMenu CreateEditMenu(QMainWindow& window);
