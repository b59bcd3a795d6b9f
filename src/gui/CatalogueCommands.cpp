#include "gui/CatalogueCommands.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/net/EuroRatePrompt.h"
#include "core/net/UpdateCheck.h"
#include "core/pictures/PicturePath.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsPath.h"
#include "core/text/Cp1251.h"
#include "gui/ErrorHandler.h"

namespace {

// %1 is the path as the user knows it.
const char* const kCatalogueFileNotStorable =
    "Путь к файлу БД «%1» содержит символы, которые программа не может сохранить в настройках, "
    "поэтому этот файл нельзя указать.\nПереместите файл в папку, в пути к которой есть только "
    "латинские и русские буквы, цифры и знаки препинания, и укажите его снова.";

} // namespace

CatalogueCommands::CatalogueCommands(Settings& settings, Catalogue& catalogue, Prices& prices,
                                     Seams seams, const TFormatSettings& systemFormat,
                                     QObject* parent)
    : QObject(parent), m_settings(settings), m_catalogue(catalogue), m_prices(prices),
      m_seams(seams), m_systemFormat(systemFormat),
      m_dotNumberFormat(MakeDotNumberFormat(systemFormat))
{}

void CatalogueCommands::askEuroRate()
{
    m_prices.setEuroRate(PromptEuroRate(m_seams.ui, QStringLiteral("Укажите курс евро:"),
                                        m_prices.euroRate(), m_dotNumberFormat));
    m_prices.recomputePriceFactor();
    Q_EMIT catalogueChanged();
}

void CatalogueCommands::loadCatalogue(const std::string& filter)
{
    m_catalogue.reload(
        filter, m_prices, m_dotNumberFormat, m_systemFormat,
        [this] {
            m_seams.ui.MessageBox(QString::fromUtf8(kCatalogueOptionsError), AppTitle(),
                                  MessageButtons::Ok, MessageIcon::None);
        },
        [this] { Q_EMIT catalogueChanged(); });
}

void CatalogueCommands::chooseCatalogueFile()
{
    const std::optional<QString> chosen = m_seams.ui.OpenFileName(m_catalogueFileDialog);
    if (!chosen)
        return;
    // A path the settings would not give back is refused before anything changes.
    const std::optional<std::string> dbPath = PathForSettings(*chosen);
    if (!dbPath || !PathForSettings(FromCp1251(PictureFolderOf(*dbPath)))) {
        m_seams.ui.MessageBox(QString::fromUtf8(kCatalogueFileNotStorable).arg(*chosen),
                              QStringLiteral("Ошибка"), MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    m_catalogue.setDatabasePath(*dbPath);
    m_catalogue.setPictureFolder(PictureFolderOf(*dbPath));
    m_settings.storeDatabasePath(m_catalogue.databasePath());
    m_settings.storePictureFolder(m_catalogue.pictureFolder());
    loadCatalogue("");
}

void CatalogueCommands::offerCatalogueFilesOnly()
{
    m_catalogueFileDialog.Filter = QString::fromUtf8(kCatalogueFileFilter);
}

void CatalogueCommands::checkForUpdates(bool silent)
{
    CheckForUpdates(silent, m_seams.http, m_seams.ui, m_catalogue.timeStamp(),
                    m_catalogue.updatesUrl(), m_dotNumberFormat, m_systemFormat);
}
