#include "gui/OrderPreviewDialog.h"

#include "core/seams/Interaction.h"
#include "core/startup/AppState.h"
#include "gui/BusyCursor.h"
#include "gui/ErrorHandler.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

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

OrderPreviewDialog::OrderPreviewDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Заказ"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    WebBrowser1 = new QWebEngineView(this);
    QWebEngineSettings* settings = WebBrowser1->settings();
    // The documents are Windows-1251 and declare no character set. The engine
    // also guesses from the text itself, which a whole order document's worth
    // of Russian settles; the default covers what the guess leaves open.
    settings->setDefaultTextEncoding(QStringLiteral("windows-1251"));
    // A document is static text: it needs no scripts and nothing from outside.
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);

    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(kPanelHeight);
    Button3 = new QPushButton(QStringLiteral("Печать заказа"), Panel1);
    Button3->setGeometry(8, 17, 113, 25);
    Button2 = new QPushButton(QStringLiteral("Закрыть"), Panel1);
    Button2->setGeometry(671 - kCloseButtonOffset, 17, 75, 25);
    // Enter in the view must not print or close by surprise.
    Button3->setAutoDefault(false);
    Button2->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(WebBrowser1, 1);
    layout->addWidget(Panel1);

    connect(Button3, &QPushButton::clicked, this, Guard(this, &OrderPreviewDialog::PrintDocument));
    connect(Button2, &QPushButton::clicked, this, Guard(this, &OrderPreviewDialog::Button2Click));
    connect(WebBrowser1, &QWebEngineView::loadStarted, this,
            Guard(this, &OrderPreviewDialog::WebBrowser1LoadStarted));
    connect(WebBrowser1, &QWebEngineView::loadFinished, this,
            [this](bool ok) { Guarded([&] { WebBrowser1LoadFinished(ok); }); });
    connect(WebBrowser1, &QWebEngineView::printFinished, this,
            [this](bool success) { Guarded([&] { FinishPrinting(success); }); });

    // The design size is the outer size; the window manager's frame comes on top.
    resize(671, 614);
}

OrderPreviewDialog::~OrderPreviewDialog()
{
    // The view may still hold the printer of a running job: it goes first.
    delete WebBrowser1;
}

void OrderPreviewDialog::ShowDocument(const QString& path)
{
    DocumentFileName = path;
    Navigate();
    exec();
}

void OrderPreviewDialog::Navigate()
{
    m_loaded = false;
    // There is nothing to load before the first document.
    if (DocumentFileName.isEmpty())
        return;
    m_awaitingStart = true;
    WebBrowser1->load(QUrl::fromLocalFile(DocumentFileName));
}

void OrderPreviewDialog::Button2Click()
{
    close();
}

void OrderPreviewDialog::PrintDocument()
{
    if (IsPrinting() || DocumentFileName.isEmpty())
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    printer->setResolution(kPrintResolution);
    printer->setDocName(QFileInfo(DocumentFileName).fileName());
    if (!App().Ui->ChoosePrinter(*printer))
        return;

    m_printer = std::move(printer);
    m_busy = std::make_unique<TBusyCursor>();
    Button3->setEnabled(false);
    if (IsLoading())
        m_printWhenLoaded = true;
    else
        StartPrinting();
}

void OrderPreviewDialog::StartPrinting()
{
    // A view that shows the browser's error page instead of the document has
    // nothing of the order to print.
    if (!m_loaded) {
        FinishPrinting(false);
        return;
    }
    WebBrowser1->print(m_printer.get());
}

void OrderPreviewDialog::FinishPrinting(bool success)
{
    m_printWhenLoaded = false;
    m_busy.reset();
    Button3->setEnabled(true);
    // The view may still be unwinding from its print call; the printer
    // outlives it by one turn of the event loop.
    std::shared_ptr<QPrinter> printer(std::move(m_printer));
    QMetaObject::invokeMethod(
        this,
        [this, printer, success]() mutable {
            printer.reset();
            Q_EMIT DocumentPrinted(success);
        },
        Qt::QueuedConnection);
    if (!success)
        App().Ui->MessageBox(CannotPrintText(DocumentFileName), QStringLiteral("Ошибка"),
                             MessageStyle::IconError);
}

void OrderPreviewDialog::WebBrowser1LoadStarted()
{
    m_awaitingStart = false;
    ++m_openLoads;
    m_loaded = false;
}

void OrderPreviewDialog::WebBrowser1LoadFinished(bool ok)
{
    if (m_openLoads > 0)
        --m_openLoads;
    m_loaded = ok;
    if (m_printWhenLoaded && !IsLoading()) {
        m_printWhenLoaded = false;
        StartPrinting();
    }
}

void OrderPreviewDialog::FormResize()
{
    Button2->move(frameGeometry().width() - kCloseButtonOffset, Button2->y());
}

void OrderPreviewDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Guarded([this] { FormResize(); });
}
