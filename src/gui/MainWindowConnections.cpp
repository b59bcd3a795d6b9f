// The main window's wiring: its buttons, menu commands and views connected
// to the commands they run.
#include "gui/MainWindow.h"

#include "gui/AboutDialog.h"
#include "gui/CatalogueCommands.h"
#include "gui/CatalogueView.h"
#include "gui/EditCommands.h"
#include "gui/ErrorHandler.h"
#include "gui/OrderCommands.h"
#include "gui/OrderView.h"
#include "gui/PicturePanel.h"

#include <QAction>
#include <QPushButton>

void MainWindow::connectCommands()
{
    IUserInteraction& ui = m_seams.ui;
    OrderCommands* order = m_orderCommands;
    connect(m_menu.exit, &QAction::triggered, this, &QWidget::close);
    connect(m_newOrderButton, &QPushButton::clicked, this,
            Guard(ui, order, &OrderCommands::newOrder));
    connect(m_openOrderButton, &QPushButton::clicked, this,
            Guard(ui, order, &OrderCommands::openOrder));
    connect(m_saveOrderButton, &QPushButton::clicked, this,
            Guard(ui, order, &OrderCommands::saveOrder));
    connect(m_completeOrderButton, &QPushButton::clicked, this,
            Guard(ui, order, &OrderCommands::completeOrder));
    connect(m_menu.newOrder, &QAction::triggered, m_newOrderButton, &QPushButton::click);
    connect(m_menu.openOrder, &QAction::triggered, m_openOrderButton, &QPushButton::click);
    connect(m_menu.saveOrder, &QAction::triggered, m_saveOrderButton, &QPushButton::click);
    connect(m_menu.completeOrder, &QAction::triggered, m_completeOrderButton, &QPushButton::click);
    connect(m_menu.about, &QAction::triggered, this, [this] {
        if (m_aboutDialog)
            m_aboutDialog->exec();
    });
    connect(m_menu.onePicture, &QAction::triggered, this,
            [this] { Guarded(m_seams.ui, [this] { applyPreviewMode(PreviewMode::OnePicture); }); });
    connect(m_menu.twoPictures, &QAction::triggered, this, [this] {
        Guarded(m_seams.ui, [this] { applyPreviewMode(PreviewMode::TwoPictures); });
    });
    CatalogueCommands* catalogue = m_catalogueCommands;
    connect(m_menu.chooseCatalogueFile, &QAction::triggered, this,
            Guard(ui, catalogue, &CatalogueCommands::chooseCatalogueFile));
    connect(m_menu.customerDetails, &QAction::triggered, this,
            Guard(ui, this, &MainWindow::askCustomerDetails));
    connect(m_menu.checkForUpdates, &QAction::triggered, this,
            [&ui, catalogue] { Guarded(ui, [catalogue] { catalogue->checkForUpdates(false); }); });
    connect(m_menu.euroRate, &QAction::triggered, this,
            Guard(ui, catalogue, &CatalogueCommands::askEuroRate));
    connect(catalogue, &CatalogueCommands::catalogueChanged, this, &MainWindow::showCatalogue);
    connect(order, &OrderCommands::linesChanged, m_editCommands, &EditCommands::refresh);
}

void MainWindow::connectViews()
{
    IUserInteraction& ui = m_seams.ui;
    connect(m_catalogueView, &CatalogueView::productSelected, this,
            Guard(ui, this, &MainWindow::scheduleCataloguePictures));
    connect(m_catalogueView, &CatalogueView::addProductRequested, this,
            Guard(ui, this, &MainWindow::addSelectedProduct));
    connect(m_picturePanel, &PicturePanel::cataloguePictureDoubleClicked, this,
            Guard(ui, this, &MainWindow::addSelectedProduct));
    connect(m_catalogueView, &CatalogueView::filterRequested, this,
            Guard(ui, this, &MainWindow::applyNameFilter));
    connect(m_orderView, &OrderView::lineSelected, this,
            Guard(ui, this, &MainWindow::showOrderPictures));
    connect(m_orderView, &OrderView::changeLineRequested, this,
            Guard(ui, m_orderCommands, &OrderCommands::changeSelectedLine));
    connect(m_picturePanel, &PicturePanel::orderPictureDoubleClicked, this,
            Guard(ui, m_orderCommands, &OrderCommands::changeSelectedLine));
    connect(m_orderView, &OrderView::deleteLineRequested, this,
            Guard(ui, m_orderCommands, &OrderCommands::deleteSelectedLine));
}
