#include "core/settings/Settings.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace {

// Every section and key of both files.
constexpr char kGeneral[] = "General";
constexpr char kUserInfo[] = "UserInfo";
constexpr char kRecentOrders[] = "RecentOrders";

constexpr char kEuro[] = "Euro";
constexpr char kEuroSource[] = "EuroSource";
constexpr char kEuroDate[] = "EuroDate";
// The rate's sources as written, and its date in a notation of its own, so
// that the file reads the same under every locale.
constexpr char kCentralBank[] = "CBR";
constexpr char kManual[] = "Manual";
constexpr char kEuroDateFormat[] = "yyyy-MM-dd";
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

std::string RecentOrderKey(int index)
{
    return "File" + std::to_string(index + 1);
}

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

EuroRateOrigin Settings::storedEuroRateOrigin() const
{
    EuroRateOrigin origin;
    const std::string source = settings().ReadString(kGeneral, kEuroSource, "");
    if (source == kCentralBank)
        origin.source = EuroRateSource::CentralBank;
    else if (source == kManual)
        origin.source = EuroRateSource::Manual;
    const std::string date = settings().ReadString(kGeneral, kEuroDate, "");
    origin.date =
        QDate::fromString(QString::fromLatin1(date), QString::fromLatin1(kEuroDateFormat));
    return origin;
}

void Settings::storeEuroRateOrigin(const EuroRateOrigin& origin)
{
    const char* source = origin.source == EuroRateSource::CentralBank ? kCentralBank
                         : origin.source == EuroRateSource::Manual    ? kManual
                                                                      : "";
    settings().WriteStrings(
        kGeneral,
        {{kEuroSource, source},
         {kEuroDate, origin.date.toString(QString::fromLatin1(kEuroDateFormat)).toStdString()}});
}

std::vector<std::string> Settings::recentOrderFiles() const
{
    std::vector<std::string> files;
    for (int k = 0; k < kRecentOrderCount; ++k) {
        std::string file = settings().ReadString(kRecentOrders, RecentOrderKey(k), "");
        if (!file.empty())
            files.push_back(std::move(file));
    }
    return files;
}

void Settings::storeRecentOrderFiles(const std::vector<std::string>& files)
{
    std::vector<std::pair<std::string, std::string>> values;
    for (int k = 0; k < kRecentOrderCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        values.emplace_back(RecentOrderKey(k), index < files.size() ? files[index] : "");
    }
    settings().WriteStrings(kRecentOrders, values);
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
    // The data folder may have gone while the program runs; it is made again
    // as at start, and a failure shows when the file is written.
    std::error_code ignored;
    std::filesystem::create_directories(userInfoFile().parent_path(), ignored);
    if (details.UserInfoSpecified) {
        userInfo().WriteInteger(kUserInfo, kCompanyType, details.CompanyType);
        for (const CustomerText& text : kCustomerTexts)
            userInfo().WriteString(kUserInfo, text.key, details.*text.field);
    }
    userInfo().WriteBool(kGeneral, kUserInfoSpecified, details.UserInfoSpecified);
    userInfo().WriteBool(kGeneral, kRemindOnStartup, details.RemindOnStartup);
}
