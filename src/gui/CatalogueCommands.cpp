#include "gui/CatalogueCommands.h"

#include "core/catalogue/CatalogueLoader.h"
#include "core/net/EuroRate.h"
#include "core/net/EuroRatePrompt.h"
#include "core/net/UpdateCheck.h"
#include "core/pictures/PicturePath.h"
#include "core/seams/Clock.h"
#include "core/settings/SettingsPath.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "gui/ErrorHandler.h"
#include "gui/SettingsFiles.h"

#include <QDir>

namespace {

const char* const kGeneral = "General";
const char* const kDefaultUpdatesUrl = "http://www.pelmora.ru/kesta/";

// %1 is the path as the user knows it.
const char* const kCatalogueFileNotStorable =
    "Путь к файлу БД «%1» содержит символы, которые программа не может сохранить в настройках, "
    "поэтому этот файл нельзя указать.\nПереместите файл в папку, в пути к которой есть только "
    "латинские и русские буквы, цифры и знаки препинания, и укажите его снова.";
const char* const kDefaultFolderNotStorable =
    "Путь к папке каталога по умолчанию «%1» содержит символы, которые программа не может "
    "сохранить в настройках, поэтому эта папка не используется.\nУкажите файл БД командой «База "
    "данных» — «Указать файл БД».";

QString HomeCatalogueFolder()
{
    return QDir::homePath() + QStringLiteral("/PelmoraDB/");
}

void ShowPathError(const char* messageUtf8, const QString& path)
{
    App().Ui->MessageBox(QString::fromUtf8(messageUtf8).arg(path), QStringLiteral("Ошибка"),
                         MessageStyle::Ok | MessageStyle::IconError);
}

} // namespace

CatalogueCommands::CatalogueCommands(SettingsFiles& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_dotNumberFormat(MakeDotNumberFormat(SystemFormat()))
{}

void CatalogueCommands::obtainEuroRate()
{
    AppState& app = App();
    app.EuroRate = FetchEuroRate(*app.Http, app.Clock->Now().date(), m_dotNumberFormat);
    if (app.EuroRate == 0) {
        const double stored = m_settings.settings().ReadFloat(kGeneral, "Euro", 0);
        app.EuroRate = PromptEuroRate(
            *app.Ui,
            QStringLiteral("Не удалось загрузить из сети курс евро, \nнеобходимый для расчета "
                           "стоимости заказа.\nПожалуйста, укажите это значение вручную."),
            stored, m_dotNumberFormat);
    }
    m_settings.settings().WriteFloat(kGeneral, "Euro", app.EuroRate);
}

void CatalogueCommands::askEuroRate()
{
    AppState& app = App();
    app.EuroRate = PromptEuroRate(*app.Ui, QStringLiteral("Укажите курс евро:"), app.EuroRate,
                                  m_dotNumberFormat);
    app.PriceFactor = ExtendedProduct(app.EuroRate, app.EuroIndex);
    Q_EMIT catalogueChanged();
}

void CatalogueCommands::resolveCataloguePaths()
{
    AppState& app = App();
    TIniFile& settings = m_settings.settings();
    app.DBPath = settings.ReadString(kGeneral, "DBPath", "");
    app.UpdatesURL = settings.ReadString(kGeneral, "UpdatesURL", "");
    if (app.UpdatesURL.empty()) {
        app.UpdatesURL = kDefaultUpdatesUrl;
        settings.WriteString(kGeneral, "UpdatesURL", app.UpdatesURL);
    }
    app.DBImgPath = settings.ReadString(kGeneral, "DBImgPath", "");
    // A default under a home folder that the settings cannot name is
    // neither used nor stored: the path stays empty, which loads no
    // catalogue, until the user chooses one. Said once for both paths.
    bool defaultRefused = false;
    const auto useDefault = [&](std::string& value, const char* key, const QString& path) {
        const std::optional<std::string> stored = PathForSettings(path);
        if (!stored) {
            defaultRefused = true;
            return;
        }
        value = *stored;
        settings.WriteString(kGeneral, key, value);
    };
    if (app.DBPath.empty())
        useDefault(app.DBPath, "DBPath", HomeCatalogueFolder() + QStringLiteral("telvarin.db"));
    // Already in the "/" form: a backslash in a Linux folder name is a letter.
    if (app.DBImgPath.empty())
        useDefault(app.DBImgPath, "DBImgPath", HomeCatalogueFolder() + QStringLiteral("img/"));
    if (defaultRefused)
        ShowPathError(kDefaultFolderNotStorable, HomeCatalogueFolder());
}

void CatalogueCommands::loadCatalogue(const std::string& filter)
{
    // No catalogue chosen yet (see resolveCataloguePaths).
    if (App().DBPath.empty()) {
        App().CatalogueEntries.clear();
        App().CatalogueCount = 0;
        Q_EMIT catalogueChanged();
        return;
    }
    try {
        LoadCatalogueData(App(), filter, m_dotNumberFormat, [] {
            App().Ui->MessageBox(QStringLiteral("Ошибка в БД"), AppTitle(), MessageStyle::Ok);
        });
    } catch (...) {
        // A load that failed on a product leaves an empty catalogue; the grid
        // reads the catalogue directly, so it must be refilled before the
        // error is shown.
        Q_EMIT catalogueChanged();
        throw;
    }
    Q_EMIT catalogueChanged();
}

void CatalogueCommands::chooseCatalogueFile()
{
    const std::optional<QString> chosen = App().Ui->OpenFileName(m_catalogueFileDialog);
    if (!chosen)
        return;
    // A path the settings would not give back is refused before anything changes.
    const std::optional<std::string> dbPath = PathForSettings(*chosen);
    if (!dbPath || !PathForSettings(FromCp1251(PictureFolderOf(*dbPath)))) {
        ShowPathError(kCatalogueFileNotStorable, *chosen);
        return;
    }
    App().DBPath = *dbPath;
    App().DBImgPath = PictureFolderOf(App().DBPath);
    m_settings.settings().WriteString(kGeneral, "DBPath", App().DBPath);
    m_settings.settings().WriteString(kGeneral, "DBImgPath", App().DBImgPath);
    loadCatalogue("");
}

void CatalogueCommands::offerCatalogueFilesOnly()
{
    m_catalogueFileDialog.Filter = QStringLiteral("Файлы баз данных (*.db)|*.db");
}

void CatalogueCommands::checkForUpdates(bool silent)
{
    CheckForUpdates(silent, *App().Http, *App().Ui, App().DBTimeStamp, App().UpdatesURL,
                    m_dotNumberFormat, SystemFormat());
}
