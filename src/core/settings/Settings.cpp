#include "core/settings/Settings.h"

#include <stdexcept>
#include <utility>

namespace {

// Every section and key of both files.
constexpr char kGeneral[] = "General";
constexpr char kUserInfo[] = "UserInfo";

constexpr char kEuro[] = "Euro";
constexpr char kDatabasePath[] = "DBPath";
constexpr char kPictureFolder[] = "DBImgPath";
constexpr char kUpdatesUrl[] = "UpdatesURL";

constexpr char kPreviewMode[] = "ImgPreviewMode";
constexpr char kRemindOnStartup[] = "RemindOnStartup";
constexpr char kUserInfoSpecified[] = "UserInfoSpecified";
constexpr char kCompanyType[] = "CompanyType";
constexpr char kCompany[] = "Company";
constexpr char kTin[] = "TIN";
constexpr char kPhones[] = "Phones";
constexpr char kContactPerson[] = "ContactPerson";
constexpr char kEmail[] = "Email";

// The customer's texts in the order they are written.
struct CustomerText
{
    const char* key;
    std::string CustomerDetails::*field;
};
constexpr CustomerText kCustomerTexts[] = {
    {kCompany, &CustomerDetails::Company}, {kTin, &CustomerDetails::TIN},
    {kPhones, &CustomerDetails::Phones},   {kContactPerson, &CustomerDetails::ContactPerson},
    {kEmail, &CustomerDetails::Email},
};

std::unique_ptr<TIniFile> OpenFile(const std::filesystem::path& file)
{
    try {
        return std::make_unique<TIniFile>(file);
    } catch (const std::exception&) {
        throw ESettingsFileUnusable(file);
    }
}

} // namespace

ESettingsFileUnusable::ESettingsFileUnusable(std::filesystem::path file)
    : std::runtime_error("Unable to open " + file.string()), m_file(std::move(file))
{}

Settings::Settings(const TFormatSettings& systemFormat) : m_systemFormat(systemFormat) {}

Settings::~Settings() = default;

void Settings::open(const std::filesystem::path& settingsFile,
                    const std::filesystem::path& userInfoFile)
{
    m_settings = OpenFile(settingsFile);
    m_userInfo = OpenFile(userInfoFile);
}

TIniFile& Settings::settings() const
{
    if (!m_settings)
        throw std::logic_error("settings.ini is not open");
    return *m_settings;
}

TIniFile& Settings::userInfo() const
{
    if (!m_userInfo)
        throw std::logic_error("userinfo.ini is not open");
    return *m_userInfo;
}

const std::filesystem::path& Settings::settingsFile() const
{
    return settings().FileName();
}

const std::filesystem::path& Settings::userInfoFile() const
{
    return userInfo().FileName();
}

double Settings::storedEuroRate() const
{
    return settings().ReadFloat(kGeneral, kEuro, 0, m_systemFormat);
}

void Settings::storeEuroRate(double roublesPerEuro)
{
    settings().WriteFloat(kGeneral, kEuro, roublesPerEuro, m_systemFormat);
}

std::string Settings::databasePath() const
{
    return settings().ReadString(kGeneral, kDatabasePath, "");
}

void Settings::storeDatabasePath(const std::string& path)
{
    settings().WriteString(kGeneral, kDatabasePath, path);
}

std::string Settings::pictureFolder() const
{
    return settings().ReadString(kGeneral, kPictureFolder, "");
}

void Settings::storePictureFolder(const std::string& folder)
{
    settings().WriteString(kGeneral, kPictureFolder, folder);
}

std::string Settings::updatesUrl() const
{
    return settings().ReadString(kGeneral, kUpdatesUrl, "");
}

void Settings::storeUpdatesUrl(const std::string& url)
{
    settings().WriteString(kGeneral, kUpdatesUrl, url);
}

PreviewMode Settings::previewMode() const
{
    const int32_t mode = userInfo().ReadInteger(kGeneral, kPreviewMode, 1);
    return mode == 2 ? PreviewMode::TwoPictures : PreviewMode::OnePicture;
}

void Settings::storePreviewMode(PreviewMode mode)
{
    userInfo().WriteInteger(kGeneral, kPreviewMode, static_cast<int32_t>(mode));
}

CustomerDetails Settings::customerDetails() const
{
    CustomerDetails details;
    details.RemindOnStartup = userInfo().ReadBool(kGeneral, kRemindOnStartup, true);
    details.UserInfoSpecified = userInfo().ReadBool(kGeneral, kUserInfoSpecified, false);
    if (!details.UserInfoSpecified)
        return details;
    for (const CustomerText& text : kCustomerTexts)
        details.*text.field = userInfo().ReadString(kUserInfo, text.key, "");
    details.CompanyType = userInfo().ReadInteger(kUserInfo, kCompanyType, 0);
    return details;
}

void Settings::storeCustomerDetails(const CustomerDetails& details)
{
    if (details.UserInfoSpecified) {
        userInfo().WriteInteger(kUserInfo, kCompanyType, details.CompanyType);
        for (const CustomerText& text : kCustomerTexts)
            userInfo().WriteString(kUserInfo, text.key, details.*text.field);
    }
    userInfo().WriteBool(kGeneral, kUserInfoSpecified, details.UserInfoSpecified);
    userInfo().WriteBool(kGeneral, kRemindOnStartup, details.RemindOnStartup);
}
