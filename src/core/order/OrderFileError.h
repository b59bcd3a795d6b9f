#pragma once

#include <QString>
#include <filesystem>
#include <stdexcept>
#include <string_view>

// An order file or order document that cannot be read or written; what() is
// the Russian message for the user (Windows-1251), naming the file.
class EOrderFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Fills a message of OrderMessages.h: %1 becomes the file's path, %2 the detail.
EOrderFileError OrderFileError(const char* messageUtf8, const std::filesystem::path& file,
                               const QString& detail);

// Writes `content` to a temporary file beside `file` and renames it over
// `file`, so that a failure at any step leaves the previous file untouched.
// Raises EOrderFileError with `messageUtf8` and the system's reason.
void ReplaceFileContent(const std::filesystem::path& file, std::string_view content,
                        const char* messageUtf8);
