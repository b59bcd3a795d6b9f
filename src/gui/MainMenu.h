#pragma once

class QAction;
class QMainWindow;
class QMenu;

// The main window's menu commands. Each action carries its designer name as
// its object name.
struct MainMenu
{
    QAction* newOrder = nullptr;
    QAction* openOrder = nullptr;
    QAction* saveOrder = nullptr;
    QMenu* recentOrders = nullptr;
    QAction* exportOrder = nullptr;
    QAction* checkCatalogue = nullptr;
    QAction* completeOrder = nullptr;
    QAction* exit = nullptr;
    QAction* onePicture = nullptr;
    QAction* twoPictures = nullptr;
    QAction* chooseCatalogueFile = nullptr;
    QAction* checkForUpdates = nullptr;
    QAction* customerDetails = nullptr;
    QAction* euroRate = nullptr;
    QAction* about = nullptr;
};

// Fills the menu bar of `window`. The commands with shortcuts run wherever
// the focus is in the window.
MainMenu CreateMainMenu(QMainWindow& window);
