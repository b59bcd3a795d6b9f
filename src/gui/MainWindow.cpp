#include "gui/MainWindow.h"

#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "gui/AboutDialog.h"
#include "gui/CatalogueCommands.h"
#include "gui/CatalogueView.h"
#include "gui/CustomerDialog.h"
#include "gui/ErrorHandler.h"
#include "gui/OrderCommands.h"
#include "gui/OrderView.h"
#include "gui/OuterSize.h"
#include "gui/WidgetPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

namespace {

QPushButton* CommandButton(const QString& caption, const char* designerName, int x, QWidget* parent)
{
    auto* button = Named(new QPushButton(caption, parent), designerName);
    button->setGeometry(x, 8, 137, 25);
    return button;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Создание заказа \"Пелмора\""));
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    setCentralWidget(new QWidget(this));
    m_menu = CreateMainMenu(*this);
    createControls();
    m_catalogueCommands = new CatalogueCommands(m_settingsFiles, this);
    m_orderCommands = new OrderCommands(*m_orderView, this);
    connectCommands();
    connectViews();

    // The design size is the outer size, the window manager's frame included.
    move(99, 154);
    KeepOuterSize(this, QSize(1036, 662));

    App().OrderItemCount = 0;
    App().ImgPreviewMode = static_cast<uint8_t>(PreviewMode::OnePicture);
}

MainWindow::~MainWindow() = default;

void MainWindow::setDialogs(CustomerDialog* customer, AboutDialog* about, QuantityDialog* quantity,
                            OrderPreviewDialog* preview)
{
    m_customerDialog = customer;
    m_aboutDialog = about;
    m_orderCommands->setDialogs(quantity, customer, preview);
}

void MainWindow::createControls()
{
    QWidget* client = centralWidget();
    m_newOrderButton = CommandButton(QStringLiteral("Новый заказ"), "Button1", 8, client);
    m_openOrderButton = CommandButton(QStringLiteral("Открыть заказ"), "Button2", 160, client);
    m_saveOrderButton = CommandButton(QStringLiteral("Сохранить заказ"), "Button3", 312, client);
    m_completeOrderButton =
        CommandButton(QStringLiteral("Завершить заказ"), "Button6", 464, client);
    QFont bold = m_completeOrderButton->font();
    bold.setBold(true);
    m_completeOrderButton->setFont(bold);

    m_catalogueView = new CatalogueView(client);
    m_catalogueView->setGeometry(8, 39, 705, 293);
    m_orderView = new OrderView(client);
    m_orderView->setGeometry(8, 335, 705, 242);
    m_picturePanel = new PicturePanel(client);
    m_picturePanel->setGeometry(720, 0, 300, 585);

    m_statusBar = Named(new QStatusBar(client), "StatusBar1");
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setFixedHeight(19);
    m_statusText = new QLabel(m_statusBar);
    m_statusBar->addWidget(m_statusText, 1);
}

void MainWindow::connectCommands()
{
    OrderCommands* order = m_orderCommands;
    connect(m_menu.exit, &QAction::triggered, this, &QWidget::close);
    connect(m_newOrderButton, &QPushButton::clicked, this, Guard(order, &OrderCommands::newOrder));
    connect(m_openOrderButton, &QPushButton::clicked, this,
            Guard(order, &OrderCommands::openOrder));
    connect(m_saveOrderButton, &QPushButton::clicked, this,
            Guard(order, &OrderCommands::saveOrder));
    connect(m_completeOrderButton, &QPushButton::clicked, this,
            Guard(order, &OrderCommands::completeOrder));
    connect(m_menu.newOrder, &QAction::triggered, m_newOrderButton, &QPushButton::click);
    connect(m_menu.openOrder, &QAction::triggered, m_openOrderButton, &QPushButton::click);
    connect(m_menu.saveOrder, &QAction::triggered, m_saveOrderButton, &QPushButton::click);
    connect(m_menu.completeOrder, &QAction::triggered, m_completeOrderButton, &QPushButton::click);
    connect(m_menu.about, &QAction::triggered, this, [this] {
        if (m_aboutDialog)
            m_aboutDialog->exec();
    });
    connect(m_menu.onePicture, &QAction::triggered, this,
            [this] { Guarded([this] { setPreviewMode(PreviewMode::OnePicture); }); });
    connect(m_menu.twoPictures, &QAction::triggered, this,
            [this] { Guarded([this] { setPreviewMode(PreviewMode::TwoPictures); }); });
    CatalogueCommands* catalogue = m_catalogueCommands;
    connect(m_menu.chooseCatalogueFile, &QAction::triggered, this,
            Guard(catalogue, &CatalogueCommands::chooseCatalogueFile));
    connect(m_menu.customerDetails, &QAction::triggered, this,
            Guard(this, &MainWindow::editCustomerDetails));
    connect(m_menu.checkForUpdates, &QAction::triggered, this,
            [catalogue] { Guarded([catalogue] { catalogue->checkForUpdates(false); }); });
    connect(m_menu.euroRate, &QAction::triggered, this,
            Guard(catalogue, &CatalogueCommands::askEuroRate));
    connect(catalogue, &CatalogueCommands::catalogueChanged, this, &MainWindow::showCatalogue);
}

void MainWindow::connectViews()
{
    connect(m_catalogueView, &CatalogueView::productSelected, this,
            Guard(this, &MainWindow::scheduleCataloguePictures));
    connect(m_catalogueView, &CatalogueView::addProductRequested, this,
            Guard(this, &MainWindow::addSelectedProduct));
    connect(m_picturePanel, &PicturePanel::cataloguePictureDoubleClicked, this,
            Guard(this, &MainWindow::addSelectedProduct));
    connect(m_catalogueView, &CatalogueView::filterRequested, this,
            Guard(this, &MainWindow::applyNameFilter));
    connect(m_orderView, &OrderView::lineSelected, this,
            Guard(this, &MainWindow::showOrderPictures));
    connect(m_orderView, &OrderView::changeLineRequested, this,
            Guard(m_orderCommands, &OrderCommands::changeSelectedLine));
    connect(m_picturePanel, &PicturePanel::orderPictureDoubleClicked, this,
            Guard(m_orderCommands, &OrderCommands::changeSelectedLine));
    connect(m_orderView, &OrderView::deleteLineRequested, this,
            Guard(m_orderCommands, &OrderCommands::deleteSelectedLine));
}

bool MainWindow::runStartup()
{
    App().EuroIndex = 1.005;
    App().DBTimeStamp.clear();
    m_catalogueView->endArticleSearch();
    App().SelectedCatalogueRow = 0;
    App().SelectedOrderRow = 0;
    m_orderCommands->setModified(false);
    m_catalogueView->focusGrid();

    if (!m_settingsFiles.open())
        return false;
    if (m_customerDialog)
        m_customerDialog->setUserInfoFile(m_settingsFiles.userInfoPath());
    // From here on an error ends the sequence; the window stays usable with
    // what was reached.
    Guarded([this] { runStartupSteps(); });
    return true;
}

void MainWindow::runStartupSteps()
{
    m_catalogueCommands->obtainEuroRate();
    setPreviewMode(m_settingsFiles.previewMode());
    restoreCustomerDetails();
    m_catalogueCommands->resolveCataloguePaths();
    m_catalogueCommands->loadCatalogue("");
    m_catalogueCommands->offerCatalogueFilesOnly();
    scheduleCataloguePictures();
    m_catalogueCommands->checkForUpdates(true);
}

void MainWindow::restoreCustomerDetails()
{
    const CustomerDetails details = m_settingsFiles.customerDetails();
    if (!m_customerDialog)
        return;
    m_customerDialog->setDetails(details);
    if (details.RemindOnStartup && !details.UserInfoSpecified)
        m_customerDialog->exec();
}

void MainWindow::editCustomerDetails()
{
    if (m_customerDialog)
        m_customerDialog->exec();
}

void MainWindow::showOrder(bool modified)
{
    m_orderCommands->setModified(modified);
    m_orderView->refill();
}

bool MainWindow::isOrderModified() const
{
    return m_orderCommands->isModified();
}

void MainWindow::setPreviewMode(PreviewMode mode)
{
    App().ImgPreviewMode = static_cast<uint8_t>(mode);
    const bool onePicture = mode == PreviewMode::OnePicture;
    m_menu.onePicture->setChecked(onePicture);
    m_menu.twoPictures->setChecked(!onePicture);
    m_picturePanel->setPreviewMode(mode);
    if (!onePicture) {
        showOrderPictures();
        scheduleCataloguePictures();
    } else if (m_orderView->isGridFocused()) {
        // Each grid takes the focus when its pictures are shown, so with one
        // frame the grid that has the focus now keeps it.
        showOrderPictures();
    } else {
        scheduleCataloguePictures();
    }
    m_settingsFiles.storePreviewMode(mode);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Guarded([this] { layOutForSize(); });
}

void MainWindow::layOutForSize()
{
    const int clientWidth = centralWidget()->width();
    const int clientHeight = centralWidget()->height();
    const int outerHeight = frameGeometry().height();

    m_picturePanel->setGeometry(720, m_picturePanel->y(), clientWidth - 720, clientHeight - 20);
    m_picturePanel->layOut();
    m_orderView->move(m_orderView->x(), outerHeight - 330);
    m_catalogueView->fitHeight(outerHeight - 371, m_orderView->y() - 66);
    m_statusBar->setGeometry(0, clientHeight - m_statusBar->height(), clientWidth,
                             m_statusBar->height());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    bool mayClose = true;
    Guarded([&] { mayClose = m_orderCommands->confirmClose(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void MainWindow::showCatalogue()
{
    m_catalogueView->refill();
    const AppState& app = App();
    m_statusText->setText(QStringLiteral("Каталог товаров от ") + FromCp1251(app.DBTimeStamp) +
                          QStringLiteral(", позиций: ") + QString::number(app.CatalogueCount) +
                          QStringLiteral(". Файл: ") + FromCp1251(app.DBPath));
    scheduleCataloguePictures();
    m_orderView->refill();
}

void MainWindow::applyNameFilter()
{
    m_catalogueCommands->loadCatalogue(ToCp1251(m_catalogueView->nameFilter()));
}

void MainWindow::addSelectedProduct()
{
    const AppState& app = App();
    if (app.CatalogueCount <= 0)
        return;
    m_catalogueView->endArticleSearch();
    const int row = app.SelectedCatalogueRow;
    if (row < 1 || row > app.CatalogueCount)
        return;
    // A copy: the catalogue may be reloaded while the quantity is asked.
    const CatalogueEntry entry = app.CatalogueEntries[static_cast<std::size_t>(row - 1)];
    m_orderCommands->addProduct(entry);
}

void MainWindow::scheduleCataloguePictures()
{
    m_catalogueView->focusGrid();
    // A failure to pick the pictures only leaves the frame empty.
    std::string pictures;
    try {
        const AppState& app = App();
        const int row = app.SelectedCatalogueRow;
        if (row >= 1 && row <= app.CatalogueCount)
            pictures = app.CatalogueEntries.at(row - 1).Image.Str();
    } catch (const std::exception&) {
        pictures.clear();
    }
    m_picturePanel->scheduleCataloguePictures(std::move(pictures));
}

void MainWindow::showOrderPictures()
{
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    m_orderView->focusGrid();
    const AppState& app = App();
    const int row = app.SelectedOrderRow;
    // The lower frame is a convenience: a picture it cannot show is no error.
    try {
        m_picturePanel->showOrderPictures(row >= 1 && row <= app.OrderItemCount
                                              ? app.OrderItems.at(row - 1).Image.Str()
                                              : std::string());
    } catch (const std::exception&) {
    }
}
