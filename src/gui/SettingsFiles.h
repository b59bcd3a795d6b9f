#pragma once

#include "core/order/CustomerDetails.h"
#include "core/settings/IniFile.h"
#include "gui/PicturePanel.h"

#include <filesystem>
#include <memory>

// The program's two settings files: settings.ini among the user's
// configuration, userinfo.ini among the user's data, each in a "Pelmora" folder.
class SettingsFiles
{
public:
    // Opens both files, creating their folders; false, after telling the
    // user, when one of them cannot be used.
    bool open();

    const std::filesystem::path& userInfoPath() const { return m_userInfoPath; }
    TIniFile& settings() { return *m_settings; }

    // A stored mode other than one or two pictures reads as one.
    PreviewMode previewMode();
    void storePreviewMode(PreviewMode mode);
    // The fields are read only when details are given.
    CustomerDetails customerDetails();

private:
    std::filesystem::path m_settingsPath;
    std::filesystem::path m_userInfoPath;
    std::unique_ptr<TIniFile> m_settings;
    std::unique_ptr<TIniFile> m_userInfo;
};
