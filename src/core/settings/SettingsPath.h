#pragma once

#include <QString>
#include <optional>
#include <string>

// A path as settings.ini keeps it (Windows-1251 bytes), or nothing when the
// file could not give it back unchanged: a character without a
// Windows-1251 code (/home/josé would come back as /home/jos?), a line
// break, blanks at either end, or more characters than a read returns.
// Such a path must not be stored: the file would name another one.
std::optional<std::string> PathForSettings(const QString& path);
