#include "gui/SettingsFiles.h"

#include "core/seams/Interaction.h"
#include "core/startup/AppState.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

const char* const kGeneral = "General";
const char* const kUserInfo = "UserInfo";

// The "Pelmora" folder inside a standard location, created when missing.
std::filesystem::path SettingsFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = QStandardPaths::writableLocation(location) + QStringLiteral("/Pelmora");
    // All levels: on a new account the standard folder itself may be missing.
    QDir().mkpath(folder);
    return std::filesystem::path(QFile::encodeName(folder).toStdString());
}

} // namespace

bool SettingsFiles::open()
{
    m_settingsPath = SettingsFolder(QStandardPaths::GenericConfigLocation) / "settings.ini";
    m_userInfoPath = SettingsFolder(QStandardPaths::GenericDataLocation) / "userinfo.ini";
    for (const auto* path : {&m_settingsPath, &m_userInfoPath}) {
        try {
            auto file = std::make_unique<TIniFile>(*path);
            (path == &m_settingsPath ? m_settings : m_userInfo) = std::move(file);
        } catch (const std::exception&) {
            App().Ui->MessageBox(QStringLiteral("Ошибка чтения файла конфигурации \r") +
                                     QFile::decodeName(path->c_str()),
                                 QStringLiteral("Ошибка"),
                                 MessageStyle::Ok | MessageStyle::IconError);
            return false;
        }
    }
    return true;
}

PreviewMode SettingsFiles::previewMode()
{
    const int32_t mode = m_userInfo->ReadInteger(kGeneral, "ImgPreviewMode", 1);
    return mode == 2 ? PreviewMode::TwoPictures : PreviewMode::OnePicture;
}

void SettingsFiles::storePreviewMode(PreviewMode mode)
{
    m_userInfo->WriteInteger(kGeneral, "ImgPreviewMode", static_cast<int32_t>(mode));
}

CustomerDetails SettingsFiles::customerDetails()
{
    CustomerDetails details;
    details.RemindOnStartup = m_userInfo->ReadBool(kGeneral, "RemindOnStartup", true);
    details.UserInfoSpecified = m_userInfo->ReadBool(kGeneral, "UserInfoSpecified", false);
    if (!details.UserInfoSpecified)
        return details;
    details.Company = m_userInfo->ReadString(kUserInfo, "Company", "");
    details.TIN = m_userInfo->ReadString(kUserInfo, "TIN", "");
    details.Phones = m_userInfo->ReadString(kUserInfo, "Phones", "");
    details.ContactPerson = m_userInfo->ReadString(kUserInfo, "ContactPerson", "");
    details.Email = m_userInfo->ReadString(kUserInfo, "Email", "");
    details.CompanyType = m_userInfo->ReadInteger(kUserInfo, "CompanyType", 0);
    return details;
}
