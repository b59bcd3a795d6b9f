#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/net/CurlHttpClient.h"
#include "core/net/CurlLibrary.h"
#include "core/net/PrefetchingHttpClient.h"
#include "core/order/Order.h"
#include "core/order/OrderHistory.h"
#include "core/pictures/LookAhead.h"
#include "core/seams/Clock.h"
#include "core/settings/Settings.h"
#include "core/startup/CommandLine.h"
#include "core/startup/SingleInstance.h"
#include "core/startup/Startup.h"
#include "core/text/NumberFormat.h"
#include "gui/AboutDialog.h"
#include "gui/BusyCursor.h"
#include "gui/CustomerDialog.h"
#include "gui/FontConfiguration.h"
#include "gui/MainWindow.h"
#include "gui/OrderFileRequests.h"
#include "gui/OrderPreviewDialog.h"
#include "gui/ProgramIcon.h"
#include "gui/QtInteraction.h"
#include "gui/QuantityDialog.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <unistd.h>

namespace {

// --help and --version answer on the console without a window, so without a
// display too.
CommandLineRequest ReadCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int k = 0; k < argc; ++k)
        arguments.append(QString::fromLocal8Bit(argv[k]));
    const CommandLineRequest request = ParseCommandLine(arguments, QDir::currentPath());
    std::fputs(request.standardOutput.toLocal8Bit().constData(), stdout);
    std::fputs(request.standardError.toLocal8Bit().constData(), stderr);
    return request;
}

// The language of the standard dialogs and the font.
void SetUpLook(QTranslator& qtTranslation)
{
    // Lets the desktop match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("pelmora"));

    // Standard buttons and dialogs speak Russian, whatever the system language.
    if (qtTranslation.load(QStringLiteral("qtbase_ru"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    // The windows are laid out in pixels for Tahoma's metrics; where it is
    // missing, a metric-compatible sans serif keeps the captions in place.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QApplication::setFont(QFont(QStringLiteral("Tahoma"), 8));
}

// Files asked for by later starts, and the one on the command line, are
// opened once the start-up sequence has run.
OrderFileRequests& TakeFileRequests(SingleInstance& instance, MainWindow& window,
                                    const QString& orderFile)
{
    OrderFileRequests& requests = window.fileRequests();
    QObject::connect(&instance, &SingleInstance::fileRequested, &requests,
                     &OrderFileRequests::requestFile);
    QObject::connect(&instance, &SingleInstance::activationRequested, &requests,
                     &OrderFileRequests::requestActivation);
    if (!orderFile.isEmpty())
        requests.requestFile(orderFile);
    return requests;
}

// Settings that must be made before the application object exists.
void SetUpBeforeApplication()
{
    // The preview's HTML engine refuses its sandbox under the root account
    // (containers, CI); there it runs without it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The menu stays in the window, whose layout is drawn with it; looking
    // for a menu bar of the desktop's own would also cost a call over the
    // session bus before the window shows.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

// While the dynamic loader maps the HTTP library's few dozen libraries, any
// other library load or new thread waits for it; so the start loads and makes
// those first. The icon's decoding loads Qt's image-format plugins, which the
// menu bar needs next; Qt's accessibility bridge, which the first caption
// would start, makes a thread of its own.
void LoadAheadOfTheHttpLibrary()
{
    // Every window takes it, those made later too.
    QApplication::setWindowIcon(ProgramIcon());
    QAccessible::isActive();
}

// The requests' threads, then the HTTP library they wait for, which loads on
// another core while the windows are built.
void AskAheadForStartup(PrefetchingHttpClient& http, const IClock& clock)
{
    for (const std::string& address : StartupWebAddresses(clock.Now().date()))
        http.prefetch(address);
    PreloadCurlLibrary();
}

// The start-up sequence runs as the message loop starts, before the main
// window appears, as its first show.
void RunStartupAtFirstShow(MainWindow& mainWindow, OrderFileRequests& requests,
                           PrefetchingHttpClient& askedAhead)
{
    QTimer::singleShot(0, &mainWindow, [&mainWindow, &requests, &askedAhead] {
        const bool started = mainWindow.runStartup(StandardStartupPlaces());
        // Later commands ask the web afresh.
        askedAhead.forgetPrefetched();
        if (started) {
            mainWindow.show();
            requests.startServing();
        } else {
            QApplication::exit(1);
        }
    });
}

} // namespace

int main(int argc, char* argv[])
{
    const CommandLineRequest request = ReadCommandLine(argc, argv);
    if (!request.runProgram)
        return request.exitCode;
    // The font configuration loads on another core while the windows are built.
    const std::jthread fontConfiguration = ReadFontConfigurationAhead();

    SetUpBeforeApplication();
    QApplication application(argc, argv);
    // A program already running takes the file over; this one ends.
    SingleInstance instance;
    if (instance.start(request.orderFile) == SingleInstance::Role::HandedOver)
        return 0;
    LoadAheadOfTheHttpLibrary();
    // The look-ahead decodes into the cache, so it is created after it and ends first.
    PictureCache pictureCache(PictureCache::kDefaultBytes);
    LookAhead lookAhead(pictureCache, LookAhead::kDefaultThreads);
    // The start-up sequence's web requests run while the windows are built.
    TSystemClock clock;
    TCurlHttpClient network;
    PrefetchingHttpClient askedAhead(network);
    AskAheadForStartup(askedAhead, clock);
    QTranslator qtTranslation;
    SetUpLook(qtTranslation);

    // The locale's number and date conventions, read once and handed down.
    const TFormatSettings systemFormat = FormatFromLocale(QLocale::system());

    QtInteraction interaction;
    BusyHttpClient http(askedAhead);
    const Seams seams{interaction, http, clock};

    Catalogue catalogue;
    Prices prices;
    Order order;
    OrderHistory history(order);
    Settings settings(systemFormat);

    MainWindow mainWindow(catalogue, prices, order, history, settings, seams, systemFormat);
    mainWindow.setPictureCache(pictureCache, lookAhead);
    interaction.setOwner(&mainWindow);
    CustomerDialog customerDialog(settings, interaction, &mainWindow);
    AboutDialog aboutDialog(interaction, &mainWindow);
    QuantityDialog quantityDialog(interaction, &mainWindow);
    OrderPreviewDialog previewDialog(interaction, &mainWindow);
    mainWindow.setDialogs(&customerDialog, &aboutDialog, &quantityDialog, &previewDialog);

    OrderFileRequests& requests = TakeFileRequests(instance, mainWindow, request.orderFile);

    RunStartupAtFirstShow(mainWindow, requests, askedAhead);
    return QApplication::exec();
}
