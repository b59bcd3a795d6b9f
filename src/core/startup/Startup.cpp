#include "core/startup/Startup.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/net/EuroRate.h"
#include "core/net/EuroRatePrompt.h"
#include "core/net/RateDisplay.h"
#include "core/net/UpdateCheck.h"
#include "core/seams/Clock.h"
#include "core/seams/Interaction.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsPath.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace {

constexpr char kDefaultUpdatesUrl[] = "http://www.pelmora.ru/kesta/";

constexpr char kSettingsFileUnusable[] = "Ошибка чтения файла конфигурации \r";
constexpr char kNoWebEuroRate[] =
    "Не удалось загрузить из сети курс евро, \nнеобходимый для расчета стоимости "
    "заказа.\nПожалуйста, укажите это значение вручную.";
// %1 is the folder as the user knows it.
constexpr char kDefaultFolderNotStorable[] =
    "Путь к папке каталога по умолчанию «%1» содержит символы, которые программа не может "
    "сохранить в настройках, поэтому эта папка не используется.\nУкажите файл БД командой «База "
    "данных» — «Указать файл БД».";

// The "Pelmora" folder inside `base`, created when missing; all levels, as
// on a new account the standard folder itself may be missing.
std::filesystem::path PelmoraFolder(const QString& base)
{
    const QString folder = base + QStringLiteral("/Pelmora");
    QDir().mkpath(folder);
    return std::filesystem::path(QFile::encodeName(folder).toStdString());
}

} // namespace

StartupPlaces StandardStartupPlaces()
{
    return {QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
            QDir::homePath()};
}

std::vector<std::string> StartupWebAddresses(const QDate& today)
{
    std::vector<std::string> addresses;
    if (today.isValid())
        addresses.push_back(EuroRateUrl(today));
    addresses.emplace_back(kLastVersionUrl);
    return addresses;
}

Startup::Startup(Settings& settings, Prices& prices, Catalogue& catalogue, Seams seams,
                 const TFormatSettings& systemFormat, QString appTitle)
    : m_settings(settings), m_prices(prices), m_catalogue(catalogue), m_seams(seams),
      m_systemFormat(systemFormat), m_dotFormat(MakeDotNumberFormat(systemFormat)),
      m_appTitle(std::move(appTitle))
{}

StartupResult Startup::run(const StartupPlaces& places, StartupWindow& window)
{
    m_prices.resetEuroIndex();
    m_catalogue.setTimeStamp({});
    if (!openSettings(places))
        return {StartupResult::Outcome::EndProgram, nullptr};
    // From here on an error ends the sequence; the window stays usable with
    // what was reached.
    try {
        runSteps(places, window);
    } catch (const std::exception&) {
        return {StartupResult::Outcome::Stopped, std::current_exception()};
    }
    return {};
}

bool Startup::openSettings(const StartupPlaces& places)
{
    try {
        m_settings.open(PelmoraFolder(places.roamingFolder) / "settings.ini",
                        PelmoraFolder(places.localFolder) / "userinfo.ini");
    } catch (const ESettingsFileUnusable& error) {
        m_seams.ui.MessageBox(QString::fromUtf8(kSettingsFileUnusable) +
                                  QFile::decodeName(error.file().c_str()),
                              QStringLiteral("Ошибка"), MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    return true;
}

void Startup::runSteps(const StartupPlaces& places, StartupWindow& window)
{
    obtainEuroRate();
    window.applyPreviewMode(m_settings.previewMode());

    const CustomerDetails customer = m_settings.customerDetails();
    window.showCustomerDetails(customer);
    if (customer.RemindOnStartup && !customer.UserInfoSpecified)
        window.askCustomerDetails();

    resolveCataloguePaths(places.homeFolder);
    loadCatalogue(window);
    window.catalogueReady();
    CheckForUpdates(true, m_seams.http, m_seams.ui, m_catalogue.timeStamp(),
                    m_catalogue.updatesUrl(), m_dotFormat, m_systemFormat);
}

void Startup::obtainEuroRate()
{
    const QDate today = m_seams.clock.Now().date();
    m_prices.setEuroRate(FetchEuroRate(m_seams.http, today, m_dotFormat));
    const bool fromWeb = m_prices.euroRate() != 0;
    double stored = 0;
    EuroRateOrigin storedOrigin;
    if (!fromWeb) {
        stored = m_settings.storedEuroRate();
        storedOrigin = m_settings.storedEuroRateOrigin();
        m_prices.setEuroRate(
            PromptEuroRate(m_seams.ui, QString::fromUtf8(kNoWebEuroRate), stored, m_dotFormat));
    }
    // Kept at every start, so that the next start without the web offers it.
    m_settings.storeEuroRate(m_prices.euroRate());
    m_settings.storeEuroRateOrigin(
        StartupRateOrigin(fromWeb, m_prices.euroRate(), stored, storedOrigin, today));
}

void Startup::resolveCataloguePaths(const QString& homeFolder)
{
    m_catalogue.setDatabasePath(m_settings.databasePath());
    m_catalogue.setUpdatesUrl(m_settings.updatesUrl());
    if (m_catalogue.updatesUrl().empty()) {
        m_catalogue.setUpdatesUrl(kDefaultUpdatesUrl);
        m_settings.storeUpdatesUrl(m_catalogue.updatesUrl());
    }
    m_catalogue.setPictureFolder(m_settings.pictureFolder());

    // A default under a home folder that the settings cannot name is neither
    // used nor stored: the path stays empty, which loads no catalogue, until
    // the user chooses one. Said once for both paths.
    const QString defaultFolder = homeFolder + QStringLiteral("/PelmoraDB/");
    bool defaultRefused = false;
    if (m_catalogue.databasePath().empty()) {
        if (const std::optional<std::string> path =
                PathForSettings(defaultFolder + QStringLiteral("telvarin.db"))) {
            m_catalogue.setDatabasePath(*path);
            m_settings.storeDatabasePath(*path);
        } else {
            defaultRefused = true;
        }
    }
    // Already in the "/" form: a backslash in a Linux folder name is a letter.
    if (m_catalogue.pictureFolder().empty()) {
        if (const std::optional<std::string> folder =
                PathForSettings(defaultFolder + QStringLiteral("img/"))) {
            m_catalogue.setPictureFolder(*folder);
            m_settings.storePictureFolder(*folder);
        } else {
            defaultRefused = true;
        }
    }
    if (defaultRefused)
        m_seams.ui.MessageBox(QString::fromUtf8(kDefaultFolderNotStorable).arg(defaultFolder),
                              QStringLiteral("Ошибка"), MessageButtons::Ok, MessageIcon::Error);
}

void Startup::loadCatalogue(StartupWindow& window)
{
    m_catalogue.reload(
        "", m_prices, m_dotFormat, m_systemFormat,
        [this] {
            m_seams.ui.MessageBox(QString::fromUtf8(kCatalogueOptionsError), m_appTitle,
                                  MessageButtons::Ok, MessageIcon::None);
        },
        [&window] { window.showCatalogue(); });
}
