#pragma once

#include "core/seams/Seams.h"
#include "core/startup/Startup.h"
#include "core/text/NumberFormat.h"
#include "gui/MainMenu.h"

#include <QMainWindow>

class AboutDialog;
class Catalogue;
class CatalogueCommands;
class CatalogueCheckCommand;
class CatalogueView;
class CustomerDialog;
class EditCommands;
class ExportCommand;
class LookAhead;
class Order;
class OrderHistory;
class OrderCommands;
class OrderFileRequests;
class OrderPreviewDialog;
class OrderView;
class PictureCache;
class PicturePanel;
class Prices;
class QLabel;
class QPushButton;
class QStatusBar;
class QuantityDialog;
class RateLabel;
class RecentOrdersMenu;
class Settings;

// The main window: the order is composed here from the catalogue. It lays
// out the catalogue and order views and the picture panel, and passes the
// user's commands on. The objects it shows are owned by the program entry.
class MainWindow : public QMainWindow, private StartupWindow
{
    Q_OBJECT
public:
    MainWindow(Catalogue& catalogue, Prices& prices, Order& order, OrderHistory& history,
               Settings& settings, Seams seams, const TFormatSettings& systemFormat,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The secondary windows, created once by the program entry.
    void setDialogs(CustomerDialog* customer, AboutDialog* about, QuantityDialog* quantity,
                    OrderPreviewDialog* preview);
    // The pictures' cache and its look-ahead, created once by the program entry.
    void setPictureCache(PictureCache& cache, LookAhead& lookAhead);

    // The start-up sequence, run once before the window is first shown.
    // False when a settings file cannot be used: the program must end.
    bool runStartup(const StartupPlaces& places);

    // The order was replaced from outside the window: shows it afresh.
    void showOrder();
    // Order files asked for from outside: the command line, a later start.
    OrderFileRequests& fileRequests() { return *m_fileRequests; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The steps of the start-up sequence that the window takes.
    void applyPreviewMode(PreviewMode mode) override;
    void showCustomerDetails(const CustomerDetails& details) override;
    void askCustomerDetails() override;
    void showCatalogue() override;
    void catalogueReady() override;

    void createControls();
    void connectCommands();
    void connectViews();
    // The order files' commands: recent orders, export, the catalogue check.
    void createFileCommands();
    void connectFileCommands();
    // After the start-up sequence: the recent list and the rate it settled on.
    void startFileCommands();
    void layOutForSize();
    void applyNameFilter();
    void addSelectedProduct();
    void scheduleCataloguePictures();
    void showOrderPictures();

    Catalogue& m_catalogue;
    Prices& m_prices;
    Order& m_order;
    OrderHistory& m_history;
    Settings& m_settings;
    Seams m_seams;
    TFormatSettings m_systemFormat;

    MainMenu m_menu;
    QPushButton* m_newOrderButton = nullptr;
    QPushButton* m_openOrderButton = nullptr;
    QPushButton* m_saveOrderButton = nullptr;
    QPushButton* m_completeOrderButton = nullptr;
    CatalogueView* m_catalogueView = nullptr;
    OrderView* m_orderView = nullptr;
    PicturePanel* m_picturePanel = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_statusText = nullptr;

    CatalogueCommands* m_catalogueCommands = nullptr;
    OrderCommands* m_orderCommands = nullptr;
    EditCommands* m_editCommands = nullptr;
    CustomerDialog* m_customerDialog = nullptr;
    AboutDialog* m_aboutDialog = nullptr;
    RecentOrdersMenu* m_recentOrders = nullptr;
    ExportCommand* m_exportCommand = nullptr;
    CatalogueCheckCommand* m_catalogueCheck = nullptr;
    OrderFileRequests* m_fileRequests = nullptr;
    RateLabel* m_rateLabel = nullptr;
};
