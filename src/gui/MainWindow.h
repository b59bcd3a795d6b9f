#pragma once

#include "core/order/CustomerDetails.h"
#include "core/seams/Interaction.h"
#include "core/settings/IniFile.h"
#include "core/text/NumberFormat.h"

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;
class QTimer;
class PictureFrame;
class CustomerDialog;
class AboutDialog;
class QuantityDialog;
class OrderPreviewDialog;
struct OrderItem;
class TCatalogueGridModel;
class TOrderGridModel;

// The main window: the order is composed here. Its controls keep the names
// by which the rest of the program refers to them.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The secondary windows, created once by the program entry.
    void SetDialogs(CustomerDialog* customer, AboutDialog* about, QuantityDialog* quantity,
                    OrderPreviewDialog* preview);

    // The start-up sequence, run once before the window is first shown.
    // False when a settings file cannot be used: the program must end.
    bool FormShow();

    // Commands.
    void N13Click();     // "Указать файл БД"
    void N14Click();     // one product picture
    void N15Click();     // two product pictures
    void N6Click();      // customer details
    void N11Click();     // check for updates
    void N12Click();     // euro rate
    void Button7Click(); // filter the catalogue by name

    // Order lines.
    bool AddSelectedProduct(); // false when there was nothing to add to
    void ChangeSelectedLine();
    void DeleteSelectedLine();
    void Edit2Change();
    // A character typed on the catalogue grid; true when it was used.
    bool sg1KeyPress(const QString& text);

    // The order's life cycle.
    void NewOrder();
    void OpenOrder();
    bool SaveOrder(); // true when the order is in a file
    bool FormCloseQuery();
    void CompleteOrder();

    void ApplyImgPreviewMode();
    void LayoutPreviewFrames();
    void FormResize();

    void LoadCatalogue(const std::string& filter);
    void FillCatalogueGrid();
    void RefreshOrderView();
    void sg1SelectCell(int column, int row);
    void sg2SelectCell(int column, int row);
    double FetchEuroRate();
    void CheckForUpdates(bool silent);
    void sg1Click();
    void sg2Click();
    void Timer1Timer();

    // Controls.
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button6;
    QGroupBox* GroupBox3;
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button7;
    QTableView* sg1;
    QLineEdit* Edit2;
    QGroupBox* GroupBox2;
    QTableView* sg2;
    QLabel* Label6; // money total
    QLabel* Label7; // volume total
    QLabel* Label8; // weight total
    QPushButton* Button8;
    QPushButton* Button5;
    QFrame* panelRight;
    PictureFrame* ImageFrame1;
    PictureFrame* ImageFrame2;
    QStatusBar* StatusBar1;
    QLabel* StatusPanel; // the status line's one panel
    QTimer* Timer1;
    TCatalogueGridModel* CatalogueModel;
    TOrderGridModel* OrderModel;

    // Menu.
    QAction* N2;
    QAction* N3;
    QAction* N4;
    QAction* N16;
    QAction* N17;
    QAction* N18;
    QAction* N14;
    QAction* N15;
    QAction* N13;
    QAction* N11;
    QAction* N6;
    QAction* N12;
    QAction* N8;

    // The window's own state.
    bool OrderModified = false;
    ::CustomerDetails CustomerDetails;
    std::filesystem::path SettingsPath;
    std::filesystem::path UserInfoPath;
    std::unique_ptr<TIniFile> SettingsFile;
    std::unique_ptr<TIniFile> UserInfoFile;
    TFormatSettings DotNumberFormat;
    std::string PendingCatalogueImages;
    FileDialogOptions OpenDialog1; // catalogue file
    FileDialogOptions OpenDialog2; // order file to open
    FileDialogOptions SaveDialog1; // order file to save
    FileDialogOptions SaveDialog2; // order document

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls(QWidget* client);
    void CreateMenu();
    void ConnectCommands();
    void SetUpGrids();
    // Resets a grid's model keeping its current row; when the grid became
    // shorter, the current row moves to the new last row and is reported.
    void RefillKeepingRow(QTableView* grid, const std::function<void()>& reset);
    void RunStartupSteps();
    void ObtainEuroRate();
    void RestoreCustomerDetails();
    void ResolveCataloguePaths();

    QWidget* m_client = nullptr;
    OrderItem* SelectedOrderLine();

    CustomerDialog* m_customerDialog = nullptr;
    AboutDialog* m_aboutDialog = nullptr;
    QuantityDialog* m_quantityDialog = nullptr;
    OrderPreviewDialog* m_previewWindow = nullptr;
    bool m_silentSelection = false;
};
