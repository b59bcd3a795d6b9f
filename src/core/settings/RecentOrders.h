#pragma once

#include <QStringList>
#include <cstddef>
#include <string>
#include <vector>

class Settings;

// `files` with `file` put first: the same path further down is dropped and
// the list cut to `limit` entries. Paths compare exactly.
std::vector<std::string> WithRecentFile(std::vector<std::string> files, const std::string& file,
                                        std::size_t limit);

// The order files last saved or opened, newest first, kept in settings.ini
// so that they survive the program. Each change is one write of the file;
// writing errors come from the settings file (EIniFileException).
class RecentOrders
{
public:
    explicit RecentOrders(Settings& settings) : m_settings(settings) {}

    QStringList files() const;
    // Puts `file`, made absolute, at the top. False, and the list as it was,
    // when settings.ini cannot keep the path (see PathForSettings).
    bool add(const QString& file);
    // Takes `file` off the list, e.g. when it no longer exists.
    void remove(const QString& file);
    void clear();

private:
    Settings& m_settings;
};
