#include "core/settings/SettingsPath.h"

#include "core/settings/IniFile.h"
#include "core/text/Cp1251.h"

std::optional<std::string> PathForSettings(const QString& path)
{
    std::string bytes = ToCp1251(path);
    if (FromCp1251(bytes) != path)
        return std::nullopt;
    // Written and read back by the settings file's own rules.
    std::string readBack;
    if (!IniText::FindValue(IniText::WithValue({}, "General", "Path", bytes), "General", "Path",
                            readBack) ||
        readBack != bytes)
        return std::nullopt;
    return bytes;
}
