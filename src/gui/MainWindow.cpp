#include "gui/MainWindow.h"

#include "core/catalogue/Catalogue.h"
#include "core/order/Order.h"
#include "core/settings/Settings.h"
#include "core/text/Cp1251.h"
#include "gui/AboutDialog.h"
#include "gui/CatalogueCommands.h"
#include "gui/CatalogueView.h"
#include "gui/CustomerDialog.h"
#include "gui/EditCommands.h"
#include "gui/ErrorHandler.h"
#include "gui/ExportCommand.h"
#include "gui/NearbyPictures.h"
#include "gui/OrderCommands.h"
#include "gui/OrderView.h"
#include "gui/OuterSize.h"
#include "gui/PicturePanel.h"
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

MainWindow::MainWindow(Catalogue& catalogue, Prices& prices, Order& order, OrderHistory& history,
                       Settings& settings, Seams seams, const TFormatSettings& systemFormat,
                       QWidget* parent)
    : QMainWindow(parent), m_catalogue(catalogue), m_prices(prices), m_order(order),
      m_history(history), m_settings(settings), m_seams(seams), m_systemFormat(systemFormat)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Создание заказа \"Пелмора\""));
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    setCentralWidget(new QWidget(this));
    m_menu = CreateMainMenu(*this);
    createControls();
    m_catalogueCommands =
        new CatalogueCommands(settings, catalogue, prices, seams, systemFormat, this);
    m_orderCommands =
        new OrderCommands(order, history, prices, *m_orderView, seams, systemFormat, this);
    m_editCommands = new EditCommands(CreateEditMenu(*this), order, history, catalogue,
                                      *m_orderView, seams, systemFormat, this);
    createFileCommands();
    connectCommands();
    connectViews();
    connectFileCommands();

    // The design size is the outer size, the window manager's frame included.
    move(99, 154);
    KeepOuterSize(this, QSize(1036, 662));
}

MainWindow::~MainWindow() = default;

void MainWindow::setDialogs(CustomerDialog* customer, AboutDialog* about, QuantityDialog* quantity,
                            OrderPreviewDialog* preview)
{
    m_customerDialog = customer;
    m_aboutDialog = about;
    m_orderCommands->setDialogs(quantity, customer, preview);
    m_exportCommand->setCustomerDialog(customer);
}

void MainWindow::setPictureCache(PictureCache& cache, LookAhead& lookAhead)
{
    m_picturePanel->setPictureCache(cache, lookAhead);
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

    m_catalogueView = new CatalogueView(m_catalogue, m_prices, m_systemFormat, m_seams.ui, client);
    m_catalogueView->setGeometry(8, 39, 705, 293);
    m_orderView = new OrderView(m_order, m_prices, m_systemFormat, client);
    m_orderView->setGeometry(8, 335, 705, 242);
    m_picturePanel = new PicturePanel(m_seams.ui, client);
    m_picturePanel->setGeometry(720, 0, 300, 585);

    m_statusBar = Named(new QStatusBar(client), "StatusBar1");
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setFixedHeight(19);
    m_statusText = new QLabel(m_statusBar);
    m_statusBar->addWidget(m_statusText, 1);
}

bool MainWindow::runStartup(const StartupPlaces& places)
{
    m_catalogueView->endArticleSearch();
    m_catalogueView->focusGrid();
    Startup startup(m_settings, m_prices, m_catalogue, m_seams, m_systemFormat, AppTitle());
    const StartupResult result = startup.run(places, *this);
    if (result.outcome == StartupResult::Outcome::EndProgram)
        return false;
    // A step that failed ended the sequence; the window stays usable with
    // what was reached.
    if (result.error)
        Guarded(m_seams.ui, [&result] { std::rethrow_exception(result.error); });
    startFileCommands();
    return true;
}

void MainWindow::applyPreviewMode(PreviewMode mode)
{
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
    m_settings.storePreviewMode(mode);
}

void MainWindow::showCustomerDetails(const CustomerDetails& details)
{
    if (m_customerDialog)
        m_customerDialog->setDetails(details);
}

void MainWindow::askCustomerDetails()
{
    if (m_customerDialog)
        m_customerDialog->exec();
}

void MainWindow::showCatalogue()
{
    m_catalogueView->refill();
    m_statusText->setText(QStringLiteral("Каталог товаров от ") +
                          FromCp1251(m_catalogue.timeStamp()) + QStringLiteral(", позиций: ") +
                          QString::number(m_catalogue.count()) + QStringLiteral(". Файл: ") +
                          FromCp1251(m_catalogue.databasePath()));
    scheduleCataloguePictures();
    m_orderView->refill();
}

void MainWindow::catalogueReady()
{
    m_catalogueCommands->offerCatalogueFilesOnly();
    scheduleCataloguePictures();
}

void MainWindow::showOrder()
{
    m_orderView->refill();
    m_editCommands->refresh();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Guarded(m_seams.ui, [this] { layOutForSize(); });
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
    Guarded(m_seams.ui, [&] { mayClose = m_orderCommands->confirmClose(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void MainWindow::applyNameFilter()
{
    m_catalogueCommands->loadCatalogue(ToCp1251(m_catalogueView->nameFilter()));
}

void MainWindow::addSelectedProduct()
{
    if (m_catalogue.count() <= 0)
        return;
    m_catalogueView->endArticleSearch();
    const CatalogueEntry* selected = m_catalogue.entry(m_catalogueView->selectedRow() - 1);
    if (!selected)
        return;
    // A copy: the catalogue may be reloaded while the quantity is asked.
    const CatalogueEntry entry = *selected;
    m_orderCommands->addProduct(entry);
}

void MainWindow::scheduleCataloguePictures()
{
    m_catalogueView->focusGrid();
    const int index = m_catalogueView->selectedRow() - 1;
    const CatalogueEntry* selected = m_catalogue.entry(index);
    m_picturePanel->setPictureFolder(m_catalogue.pictureFolder());
    m_picturePanel->scheduleCataloguePictures(
        selected ? selected->Image.Str() : std::string(),
        NearbyPictures(index, [this](int i) { return m_catalogue.entry(i); }));
}

void MainWindow::showOrderPictures()
{
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    m_orderView->focusGrid();
    const int index = m_orderView->selectedRow() - 1;
    const OrderItem* selected = m_order.line(index);
    m_picturePanel->setPictureFolder(m_catalogue.pictureFolder());
    // The lower frame is a convenience: a picture it cannot show is no error.
    try {
        m_picturePanel->showOrderPictures(
            selected ? selected->Image.Str() : std::string(),
            NearbyPictures(index, [this](int i) { return m_order.line(i); }));
    } catch (const std::exception&) {
    }
}
