#include "core/settings/RecentOrders.h"

#include "core/settings/Settings.h"
#include "core/settings/SettingsPath.h"
#include "core/text/Cp1251.h"

#include <QFileInfo>
#include <algorithm>

namespace {

QString AbsolutePath(const QString& file)
{
    return QFileInfo(file).absoluteFilePath();
}

} // namespace

std::vector<std::string> WithRecentFile(std::vector<std::string> files, const std::string& file,
                                        std::size_t limit)
{
    std::erase(files, file);
    files.insert(files.begin(), file);
    if (files.size() > limit)
        files.resize(limit);
    return files;
}

QStringList RecentOrders::files() const
{
    QStringList files;
    for (const std::string& file : m_settings.recentOrderFiles())
        files.append(FromCp1251(file));
    return files;
}

bool RecentOrders::add(const QString& file)
{
    const std::optional<std::string> stored = PathForSettings(AbsolutePath(file));
    if (!stored)
        return false;
    m_settings.storeRecentOrderFiles(
        WithRecentFile(m_settings.recentOrderFiles(), *stored, Settings::kRecentOrderCount));
    return true;
}

void RecentOrders::remove(const QString& file)
{
    std::vector<std::string> files = m_settings.recentOrderFiles();
    if (std::erase(files, ToCp1251(file)) > 0)
        m_settings.storeRecentOrderFiles(files);
}

void RecentOrders::clear()
{
    m_settings.storeRecentOrderFiles({});
}
