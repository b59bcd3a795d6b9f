#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/net/CurlHttpClient.h"
#include "core/order/Order.h"
#include "core/pictures/LookAhead.h"
#include "core/seams/Clock.h"
#include "core/settings/Settings.h"
#include "core/startup/Startup.h"
#include "core/text/NumberFormat.h"
#include "gui/AboutDialog.h"
#include "gui/BusyCursor.h"
#include "gui/CustomerDialog.h"
#include "gui/MainWindow.h"
#include "gui/OrderPreviewDialog.h"
#include "gui/ProgramIcon.h"
#include "gui/QtInteraction.h"
#include "gui/QuantityDialog.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // The preview's HTML engine refuses its sandbox under the root account
    // (containers, CI); there it runs without it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication application(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    // Lets the desktop match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("pelmora"));

    // Standard buttons and dialogs speak Russian, whatever the system language.
    QTranslator qtTranslation;
    if (qtTranslation.load(QStringLiteral("qtbase_ru"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    // The windows are laid out in pixels for Tahoma's metrics; where it is
    // missing, a metric-compatible sans serif keeps the captions in place.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QApplication::setFont(QFont(QStringLiteral("Tahoma"), 8));

    // The locale's number and date conventions, read once and handed down.
    const TFormatSettings systemFormat = FormatFromLocale(QLocale::system());

    QtInteraction interaction;
    TSystemClock clock;
    TCurlHttpClient network;
    BusyHttpClient http(network);
    const Seams seams{interaction, http, clock};

    Catalogue catalogue;
    Prices prices;
    Order order;
    Settings settings(systemFormat);

    // The look-ahead decodes into the cache, so it is created after it and ends first.
    PictureCache pictureCache(PictureCache::kDefaultBytes);
    LookAhead lookAhead(pictureCache, LookAhead::kDefaultThreads);

    MainWindow mainWindow(catalogue, prices, order, settings, seams, systemFormat);
    mainWindow.setPictureCache(pictureCache, lookAhead);
    interaction.setOwner(&mainWindow);
    CustomerDialog customerDialog(settings, interaction, &mainWindow);
    AboutDialog aboutDialog(interaction, &mainWindow);
    QuantityDialog quantityDialog(interaction, &mainWindow);
    OrderPreviewDialog previewDialog(interaction, &mainWindow);
    mainWindow.setDialogs(&customerDialog, &aboutDialog, &quantityDialog, &previewDialog);

    // The start-up sequence runs as the message loop starts, before the main
    // window appears, as its first show.
    QTimer::singleShot(0, &mainWindow, [&mainWindow] {
        if (mainWindow.runStartup(StandardStartupPlaces()))
            mainWindow.show();
        else
            QApplication::exit(1);
    });
    return QApplication::exec();
}
