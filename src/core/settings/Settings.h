#pragma once

#include "core/net/EuroRateOrigin.h"
#include "core/order/CustomerDetails.h"
#include "core/settings/IniFile.h"
#include "core/settings/PreviewMode.h"
#include "core/text/NumberFormat.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A settings file that cannot be used at all; the program cannot run on.
class ESettingsFileUnusable : public std::runtime_error
{
public:
    explicit ESettingsFileUnusable(std::filesystem::path file);
    const std::filesystem::path& file() const { return m_file; }

private:
    std::filesystem::path m_file;
};

// The program's two settings files with their typed values: settings.ini
// (the euro rate, the catalogue's paths, the updates page) and userinfo.ini
// (the picture preview mode, the customer's details). Nothing is cached:
// every read and write goes to the file at once. Texts are Windows-1251
// bytes. A value that cannot be written raises EIniFileException.
class Settings
{
public:
    // The euro rate is written and read with `systemFormat`'s decimal separator.
    explicit Settings(const TFormatSettings& systemFormat);
    ~Settings();

    // Opens settings.ini, then userinfo.ini; neither file needs to exist yet.
    // Raises ESettingsFileUnusable naming the first that cannot be used
    // (its folder is missing); the files open before stay as they were.
    void open(const std::filesystem::path& settingsFile, const std::filesystem::path& userInfoFile);
    bool isOpen() const { return m_settings && m_userInfo; }
    const std::filesystem::path& settingsFile() const;
    const std::filesystem::path& userInfoFile() const;

    // settings.ini [General]. Missing texts read as empty, the rate as 0.
    double storedEuroRate() const;
    void storeEuroRate(double roublesPerEuro);
    // Beside Euro: EuroSource and EuroDate; Unknown and a null date when missing.
    EuroRateOrigin storedEuroRateOrigin() const;
    void storeEuroRateOrigin(const EuroRateOrigin& origin);
    std::string databasePath() const;
    void storeDatabasePath(const std::string& path);
    std::string pictureFolder() const;
    void storePictureFolder(const std::string& folder);
    std::string updatesUrl() const;
    void storeUpdatesUrl(const std::string& url);

    // settings.ini [RecentOrders]: the order files last saved or opened,
    // newest first, as paths in Windows-1251; empty keys are skipped.
    static constexpr int kRecentOrderCount = 10;
    std::vector<std::string> recentOrderFiles() const;
    // Replaces the whole list in one write; the keys past it are emptied.
    void storeRecentOrderFiles(const std::vector<std::string>& files);

    // userinfo.ini [General]: 1 or 2 pictures; any other value reads as one.
    PreviewMode previewMode() const;
    void storePreviewMode(PreviewMode mode);

    // userinfo.ini: the reminder (default on) and whether details are given
    // (default not); the texts and legal form only when they are given.
    CustomerDetails customerDetails() const;
    // Given details are written with both flags; otherwise only the flags.
    void storeCustomerDetails(const CustomerDetails& details);

private:
    TIniFile& settings() const;
    TIniFile& userInfo() const;

    TFormatSettings m_systemFormat;
    std::unique_ptr<TIniFile> m_settings;
    std::unique_ptr<TIniFile> m_userInfo;
};
