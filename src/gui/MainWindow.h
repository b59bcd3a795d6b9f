#pragma once

#include "gui/MainMenu.h"
#include "gui/PicturePanel.h"
#include "gui/SettingsFiles.h"

#include <QMainWindow>

class AboutDialog;
class CatalogueCommands;
class CatalogueView;
class CustomerDialog;
class OrderCommands;
class OrderPreviewDialog;
class OrderView;
class QLabel;
class QPushButton;
class QStatusBar;
class QuantityDialog;

// The main window: the order is composed here from the catalogue. It lays
// out the catalogue and order views and the picture panel, and passes the
// user's commands on.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The secondary windows, created once by the program entry.
    void setDialogs(CustomerDialog* customer, AboutDialog* about, QuantityDialog* quantity,
                    OrderPreviewDialog* preview);

    // The start-up sequence, run once before the window is first shown.
    // False when a settings file cannot be used: the program must end.
    bool runStartup();

    // The order in the shared state was replaced from outside the window:
    // shows it, with `modified` as whether it differs from its file.
    void showOrder(bool modified);
    bool isOrderModified() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectCommands();
    void connectViews();
    void runStartupSteps();
    void restoreCustomerDetails();
    void editCustomerDetails();
    void setPreviewMode(PreviewMode mode);
    void layOutForSize();
    void showCatalogue();
    void applyNameFilter();
    void addSelectedProduct();
    void scheduleCataloguePictures();
    void showOrderPictures();

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

    SettingsFiles m_settingsFiles;
    CatalogueCommands* m_catalogueCommands = nullptr;
    OrderCommands* m_orderCommands = nullptr;
    CustomerDialog* m_customerDialog = nullptr;
    AboutDialog* m_aboutDialog = nullptr;
};
