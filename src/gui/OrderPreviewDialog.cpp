#include "gui/OrderPreviewDialog.h"

#include "core/seams/Interaction.h"
#include "gui/BusyCursor.h"
#include "gui/DocumentView.h"
#include "gui/DocumentViewModule.h"
#include "gui/ErrorHandler.h"
#include "gui/OuterSize.h"
#include "gui/WidgetPlacement.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {

// The view prints by rasterising the pages; 300 dpi keeps small print sharp
// without page images of hundreds of megabytes.
constexpr int kPrintResolution = 300;

// The strip under the view with the two buttons.
constexpr int kPanelHeight = 58;
// "Закрыть" keeps this distance between its left edge and the outer right edge.
constexpr int kCloseButtonOffset = 112;

QString CannotPrintText(const QString& file)
{
    return QStringLiteral("Не удалось напечатать документ заказа «%1».").arg(file);
}

} // namespace

OrderPreviewDialog::OrderPreviewDialog(IUserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_moduleFolders(DocumentViewModule::DefaultFolders())
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Заказ"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    auto* buttonPanel = Named(new QWidget(this), "Panel1");
    buttonPanel->setFixedHeight(kPanelHeight);
    m_printButton = Named(new QPushButton(QStringLiteral("Печать заказа"), buttonPanel), "Button3");
    m_printButton->setGeometry(8, 17, 113, 25);
    m_closeButton = Named(new QPushButton(QStringLiteral("Закрыть"), buttonPanel), "Button2");
    m_closeButton->setGeometry(671 - kCloseButtonOffset, 17, 75, 25);
    // Enter in the view must not print or close by surprise.
    m_printButton->setAutoDefault(false);
    m_closeButton->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The view's place, held until the first document makes the view.
    layout->addStretch(1);
    layout->addWidget(buttonPanel);

    connect(m_printButton, &QPushButton::clicked, this,
            Guard(m_ui, this, &OrderPreviewDialog::printDocument));
    connect(m_closeButton, &QPushButton::clicked, this, [this] { close(); });

    // The design size is the outer size, the window manager's frame included.
    KeepOuterSize(this, QSize(671, 614));
}

OrderPreviewDialog::~OrderPreviewDialog()
{
    // The view may still hold the printer of a running job: it goes first.
    m_view.reset();
}

DocumentView* OrderPreviewDialog::view()
{
    if (m_view == nullptr && !createView())
        return nullptr;
    return m_view.get();
}

bool OrderPreviewDialog::createView()
{
    QString error;
    DocumentViewFactory* factory = DocumentViewModule::Load(m_moduleFolders, error);
    if (factory == nullptr) {
        m_ui.MessageBox(error, QStringLiteral("Ошибка"), MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    DocumentView::Events events;
    events.loadStarted = [this] {
        Guarded(m_ui, [this] { loadStarted(); });
    };
    events.loadFinished = [this](bool ok) {
        Guarded(m_ui, [&] { loadFinished(ok); });
    };
    events.printFinished = [this](bool ok) {
        Guarded(m_ui, [&] { finishPrinting(ok); });
    };
    m_view = factory->create(this, std::move(events));

    // The view takes the place held for it above the button strip.
    QWidget* widget = m_view->widget();
    auto* box = static_cast<QBoxLayout*>(layout());
    delete box->takeAt(0);
    box->insertWidget(0, widget, 1);
    widget->show(); // shown with the window, also when made while it is open
    return true;
}

void OrderPreviewDialog::showDocument(const QString& path)
{
    if (loadDocument(path))
        exec();
}

bool OrderPreviewDialog::loadDocument(const QString& path)
{
    m_documentFileName = path;
    return navigate();
}

bool OrderPreviewDialog::navigate()
{
    m_loaded = false;
    // There is nothing to load before the first document.
    if (m_documentFileName.isEmpty())
        return true;
    DocumentView* documentView = view();
    if (documentView == nullptr)
        return false;
    m_awaitingStart = true;
    documentView->load(m_documentFileName);
    return true;
}

void OrderPreviewDialog::printDocument()
{
    if (isPrinting() || m_view == nullptr)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    printer->setResolution(kPrintResolution);
    printer->setDocName(QFileInfo(m_documentFileName).fileName());
    if (!m_ui.ChoosePrinter(*printer))
        return;

    m_printer = std::move(printer);
    m_busy = std::make_unique<BusyCursor>();
    m_printButton->setEnabled(false);
    if (isLoading())
        m_printWhenLoaded = true;
    else
        startPrinting();
}

void OrderPreviewDialog::startPrinting()
{
    // A view that shows the browser's error page instead of the document has
    // nothing of the order to print.
    if (!m_loaded) {
        finishPrinting(false);
        return;
    }
    m_view->print(*m_printer);
}

void OrderPreviewDialog::finishPrinting(bool success)
{
    m_printWhenLoaded = false;
    m_busy.reset();
    m_printButton->setEnabled(true);
    // The view may still be unwinding from its print call; the printer
    // outlives it by one turn of the event loop.
    std::shared_ptr<QPrinter> printer(std::move(m_printer));
    QMetaObject::invokeMethod(
        this,
        [this, printer, success]() mutable {
            printer.reset();
            Q_EMIT documentPrinted(success);
        },
        Qt::QueuedConnection);
    if (!success)
        m_ui.MessageBox(CannotPrintText(m_documentFileName), QStringLiteral("Ошибка"),
                        MessageButtons::Ok, MessageIcon::Error);
}

void OrderPreviewDialog::loadStarted()
{
    m_awaitingStart = false;
    ++m_openLoads;
    m_loaded = false;
}

void OrderPreviewDialog::loadFinished(bool ok)
{
    if (m_openLoads > 0)
        --m_openLoads;
    m_loaded = ok;
    if (m_printWhenLoaded && !isLoading()) {
        m_printWhenLoaded = false;
        startPrinting();
    }
}

void OrderPreviewDialog::placeCloseButton()
{
    m_closeButton->move(frameGeometry().width() - kCloseButtonOffset, m_closeButton->y());
}

void OrderPreviewDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Guarded(m_ui, [this] { placeCloseButton(); });
}
