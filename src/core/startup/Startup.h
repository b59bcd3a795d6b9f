#pragma once

#include "core/order/CustomerDetails.h"
#include "core/seams/Seams.h"
#include "core/settings/PreviewMode.h"
#include "core/text/NumberFormat.h"

#include <QString>
#include <exception>
#include <string>
#include <vector>

class Catalogue;
class Prices;
class QDate;
class Settings;

// The folders the start-up sequence works in.
struct StartupPlaces
{
    QString roamingFolder; // gets the "Pelmora" folder with settings.ini
    QString localFolder;   // gets the "Pelmora" folder with userinfo.ini
    QString homeFolder;    // holds the default catalogue folder "PelmoraDB/"
};

// The user's own folders: the standard configuration and data locations and
// the home folder.
StartupPlaces StandardStartupPlaces();

// The web addresses the sequence reads when it runs on `today`, in its
// order: they can be asked for while the windows are still being built.
std::vector<std::string> StartupWebAddresses(const QDate& today);

// The steps of the sequence that only the main window can take; the sequence
// calls them at their places, so questions and dialogs come in their order.
class StartupWindow
{
public:
    virtual ~StartupWindow() = default;
    // Shows 1 or 2 product pictures and stores the mode in the settings.
    virtual void applyPreviewMode(PreviewMode mode) = 0;
    // Puts the details read from the settings into the customer dialog.
    virtual void showCustomerDetails(const CustomerDetails& details) = 0;
    // Shows the customer dialog and returns when it is closed.
    virtual void askCustomerDetails() = 0;
    // Refills both grids from the catalogue and the order; runs after the
    // catalogue load, also when it failed.
    virtual void showCatalogue() = 0;
    // The catalogue is in place: the database-file dialog gets its filter
    // (kCatalogueFileFilter) and the catalogue's selection is shown.
    virtual void catalogueReady() = 0;
};

struct StartupResult
{
    enum class Outcome
    {
        Completed,
        Stopped,   // a step raised `error`; the window stays with what was reached
        EndProgram // a settings file cannot be used; the message was shown
    };
    Outcome outcome = Outcome::Completed;
    std::exception_ptr error; // for the general error box when Stopped
};

// The start-up sequence: the settings files, the euro rate, the preview
// mode, the customer's details, the catalogue's paths and load, and the
// silent update check, in this order. Every question goes through the seams.
class Startup
{
public:
    // `appTitle` captions the catalogue's options error.
    Startup(Settings& settings, Prices& prices, Catalogue& catalogue, Seams seams,
            const TFormatSettings& systemFormat, QString appTitle);

    StartupResult run(const StartupPlaces& places, StartupWindow& window);

private:
    bool openSettings(const StartupPlaces& places);
    void runSteps(const StartupPlaces& places, StartupWindow& window);
    void obtainEuroRate();
    void resolveCataloguePaths(const QString& homeFolder);
    void loadCatalogue(StartupWindow& window);

    Settings& m_settings;
    Prices& m_prices;
    Catalogue& m_catalogue;
    Seams m_seams;
    TFormatSettings m_systemFormat;
    TFormatSettings m_dotFormat;
    QString m_appTitle;
};
