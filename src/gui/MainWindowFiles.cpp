// The main window's order-file commands beyond opening and saving: the
// recent orders, the export, the check against the catalogue, the files
// asked for from outside, and the euro rate shown beside the totals.
#include "gui/MainWindow.h"

#include "core/catalogue/Prices.h"
#include "core/seams/Clock.h"
#include "core/settings/Settings.h"
#include "gui/CatalogueCheckCommand.h"
#include "gui/CatalogueCommands.h"
#include "gui/ErrorHandler.h"
#include "gui/ExportCommand.h"
#include "gui/OrderCommands.h"
#include "gui/OrderFileRequests.h"
#include "gui/OrderView.h"
#include "gui/RateLabel.h"
#include "gui/RecentOrdersMenu.h"

#include <QAction>

void MainWindow::createFileCommands()
{
    m_recentOrders = new RecentOrdersMenu(*m_menu.recentOrders, m_settings, m_seams.ui, this);
    m_exportCommand = new ExportCommand(m_order, m_prices, m_seams, m_systemFormat, this);
    m_catalogueCheck =
        new CatalogueCheckCommand(m_catalogue, m_prices, m_order, m_history, m_systemFormat, this);
    m_fileRequests = new OrderFileRequests(*this);
    // In the order group's caption row, ending where the grid ends.
    m_rateLabel = new RateLabel(m_systemFormat, m_orderView);
    m_rateLabel->setGeometry(262, 0, 440, 16);
}

void MainWindow::connectFileCommands()
{
    IUserInteraction& ui = m_seams.ui;
    OrderCommands* order = m_orderCommands;
    const auto open = [&ui, order](const QString& path) {
        Guarded(ui, [&] { order->openOrderFile(path); });
    };
    connect(m_recentOrders, &RecentOrdersMenu::openRequested, this, open);
    connect(m_fileRequests, &OrderFileRequests::openRequested, this, open);
    connect(order, &OrderCommands::orderFileUsed, m_recentOrders, &RecentOrdersMenu::record);
    connect(order, &OrderCommands::orderOpened, this,
            Guard(ui, m_catalogueCheck, &CatalogueCheckCommand::check));
    connect(m_menu.checkCatalogue, &QAction::triggered, this,
            Guard(ui, m_catalogueCheck, &CatalogueCheckCommand::check));
    connect(m_catalogueCheck, &CatalogueCheckCommand::orderChanged, this, &MainWindow::showOrder);
    connect(m_menu.exportOrder, &QAction::triggered, this,
            Guard(ui, m_exportCommand, &ExportCommand::exportOrder));
    connect(m_catalogueCommands, &CatalogueCommands::catalogueChanged, this,
            [this] { m_rateLabel->refresh(m_prices.euroRate(), m_seams.clock.Now().date()); });
}

void MainWindow::startFileCommands()
{
    m_recentOrders->refill();
    EuroRateOrigin origin;
    if (m_settings.isOpen())
        Guarded(m_seams.ui, [&] { origin = m_settings.storedEuroRateOrigin(); });
    m_rateLabel->start(m_prices.euroRate(), origin, m_seams.clock.Now().date());
}
