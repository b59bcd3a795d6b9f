#pragma once

#include <QString>
#include <filesystem>
#include <string_view>

// Writes `content` to a temporary file beside `file` and renames it over
// `file`, so that a failure at any step leaves the previous file untouched
// and no temporary file behind. False, with the system's reason, on failure.
bool ReplaceFileContent(const std::filesystem::path& file, std::string_view content,
                        QString& reason);
