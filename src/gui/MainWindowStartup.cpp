// The start-up sequence, the settings files and the database-file command.
#include "gui/MainWindow.h"

#include "core/catalogue/CatalogueLoader.h"
#include "core/net/EuroRate.h"
#include "core/net/EuroRatePrompt.h"
#include "core/net/UpdateCheck.h"
#include "core/pictures/PicturePath.h"
#include "core/seams/Clock.h"
#include "core/settings/SettingsPath.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "gui/CustomerDialog.h"
#include "gui/ErrorHandler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTableView>

namespace {

const char* const kGeneral = "General";
const char* const kUserInfo = "UserInfo";
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

// The "Pelmora" folder inside a standard location, created when missing.
std::filesystem::path SettingsFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = QStandardPaths::writableLocation(location) + QStringLiteral("/Pelmora");
    // All levels: on a new account the standard folder itself may be missing.
    QDir().mkpath(folder);
    return std::filesystem::path(QFile::encodeName(folder).toStdString());
}

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

bool MainWindow::FormShow()
{
    // 1. Reset.
    App().EuroIndex = 1.005;
    App().DBTimeStamp.clear();
    Edit2->clear();
    Edit2->hide();
    App().SelectedCatalogueRow = 0;
    App().SelectedOrderRow = 0;
    OrderModified = false;
    sg1->setFocus();

    // 2-4. The settings files.
    SettingsPath = SettingsFolder(QStandardPaths::GenericConfigLocation) / "settings.ini";
    UserInfoPath = SettingsFolder(QStandardPaths::GenericDataLocation) / "userinfo.ini";
    for (const auto* path : {&SettingsPath, &UserInfoPath}) {
        try {
            auto file = std::make_unique<TIniFile>(*path);
            (path == &SettingsPath ? SettingsFile : UserInfoFile) = std::move(file);
        } catch (const std::exception&) {
            App().Ui->MessageBox(QStringLiteral("Ошибка чтения файла конфигурации \r") +
                                     QFile::decodeName(path->c_str()),
                                 QStringLiteral("Ошибка"),
                                 MessageStyle::Ok | MessageStyle::IconError);
            return false;
        }
    }

    // From here on an error ends the sequence; the window stays usable with
    // what was reached.
    Guarded([this] { RunStartupSteps(); });
    return true;
}

void MainWindow::RunStartupSteps()
{
    ObtainEuroRate();

    const int32_t mode = UserInfoFile->ReadInteger(kGeneral, "ImgPreviewMode", 1);
    App().ImgPreviewMode = mode == 1 || mode == 2 ? static_cast<uint8_t>(mode) : 1;
    ApplyImgPreviewMode();

    RestoreCustomerDetails();
    if (CustomerDetails.RemindOnStartup && !CustomerDetails.UserInfoSpecified && m_customerDialog)
        m_customerDialog->exec();

    ResolveCataloguePaths();
    LoadCatalogue("");
    OpenDialog1.Filter = QStringLiteral("Файлы баз данных (*.db)|*.db");
    sg1Click();
    CheckForUpdates(true);
}

void MainWindow::ObtainEuroRate()
{
    App().EuroRate = FetchEuroRate();
    if (App().EuroRate == 0) {
        const double stored = SettingsFile->ReadFloat(kGeneral, "Euro", 0);
        App().EuroRate = PromptEuroRate(
            *App().Ui,
            QStringLiteral("Не удалось загрузить из сети курс евро, \nнеобходимый для расчета "
                           "стоимости заказа.\nПожалуйста, укажите это значение вручную."),
            stored, DotNumberFormat);
    }
    SettingsFile->WriteFloat(kGeneral, "Euro", App().EuroRate);
}

void MainWindow::RestoreCustomerDetails()
{
    CustomerDetails.RemindOnStartup = UserInfoFile->ReadBool(kGeneral, "RemindOnStartup", true);
    CustomerDetails.UserInfoSpecified =
        UserInfoFile->ReadBool(kGeneral, "UserInfoSpecified", false);
    if (!m_customerDialog)
        return;
    CustomerDialog& dialog = *m_customerDialog;
    if (CustomerDetails.UserInfoSpecified) {
        const struct
        {
            const char* key;
            std::string& field;
            QLineEdit* edit;
        } texts[] = {
            {"Company", CustomerDetails.Company, dialog.Edit1},
            {"TIN", CustomerDetails.TIN, dialog.Edit2},
            {"Phones", CustomerDetails.Phones, dialog.Edit3},
            {"ContactPerson", CustomerDetails.ContactPerson, dialog.Edit4},
            {"Email", CustomerDetails.Email, dialog.Edit5},
        };
        for (const auto& text : texts) {
            text.field = UserInfoFile->ReadString(kUserInfo, text.key, "");
            text.edit->setText(FromCp1251(text.field));
        }
        CustomerDetails.CompanyType = UserInfoFile->ReadInteger(kUserInfo, "CompanyType", 0);
        dialog.ComboBox1->setCurrentIndex(CustomerDetails.CompanyType);
    }
    dialog.CheckBox1->setChecked(CustomerDetails.RemindOnStartup);
    if (CustomerDetails.UserInfoSpecified)
        dialog.RadioButton1Click();
    else
        dialog.RadioButton2Click();
}

void MainWindow::ResolveCataloguePaths()
{
    AppState& app = App();
    app.DBPath = SettingsFile->ReadString(kGeneral, "DBPath", "");
    app.UpdatesURL = SettingsFile->ReadString(kGeneral, "UpdatesURL", "");
    if (app.UpdatesURL.empty()) {
        app.UpdatesURL = kDefaultUpdatesUrl;
        SettingsFile->WriteString(kGeneral, "UpdatesURL", app.UpdatesURL);
    }
    app.DBImgPath = SettingsFile->ReadString(kGeneral, "DBImgPath", "");
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
        SettingsFile->WriteString(kGeneral, key, value);
    };
    if (app.DBPath.empty())
        useDefault(app.DBPath, "DBPath", HomeCatalogueFolder() + QStringLiteral("telvarin.db"));
    // Already in the "/" form: a backslash in a Linux folder name is a letter.
    if (app.DBImgPath.empty())
        useDefault(app.DBImgPath, "DBImgPath", HomeCatalogueFolder() + QStringLiteral("img/"));
    if (defaultRefused)
        ShowPathError(kDefaultFolderNotStorable, HomeCatalogueFolder());
}

void MainWindow::N13Click()
{
    const std::optional<QString> chosen = App().Ui->OpenFileName(OpenDialog1);
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
    SettingsFile->WriteString(kGeneral, "DBPath", App().DBPath);
    SettingsFile->WriteString(kGeneral, "DBImgPath", App().DBImgPath);
    LoadCatalogue("");
}

double MainWindow::FetchEuroRate()
{
    return ::FetchEuroRate(*App().Http, App().Clock->Now().date(), DotNumberFormat);
}

void MainWindow::LoadCatalogue(const std::string& filter)
{
    if (App().DBPath.empty()) { // no catalogue chosen yet (see ResolveCataloguePaths)
        App().CatalogueEntries.clear();
        App().CatalogueCount = 0;
        FillCatalogueGrid();
        RefreshOrderView();
        return;
    }
    try {
        LoadCatalogueData(App(), filter, DotNumberFormat, [] {
            App().Ui->MessageBox(QStringLiteral("Ошибка в БД"), AppTitle(), MessageStyle::Ok);
        });
    } catch (...) {
        // A load that failed on a product leaves an empty catalogue; the grid
        // reads the catalogue directly, so it must be refilled before the
        // error is shown.
        FillCatalogueGrid();
        RefreshOrderView();
        throw;
    }
    FillCatalogueGrid();
    RefreshOrderView();
}

void MainWindow::CheckForUpdates(bool silent)
{
    ::CheckForUpdates(silent, *App().Http, *App().Ui, App().DBTimeStamp, App().UpdatesURL,
                      DotNumberFormat, SystemFormat());
}

void MainWindow::N11Click()
{
    CheckForUpdates(false);
}

void MainWindow::N12Click()
{
    AppState& app = App();
    app.EuroRate = PromptEuroRate(*app.Ui, QStringLiteral("Укажите курс евро:"), app.EuroRate,
                                  DotNumberFormat);
    app.PriceFactor = ExtendedProduct(app.EuroRate, app.EuroIndex);
    FillCatalogueGrid();
    RefreshOrderView();
}

void MainWindow::Button7Click()
{
    LoadCatalogue(ToCp1251(Edit1->text()));
}
