#pragma once

#include "core/text/NumberFormat.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A settings value that cannot be written; the message names the file.
class EIniFileException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One INI settings file, read and written key by key with nothing cached:
// sections and keys match without regard to case, blanks around keys and
// values are trimmed, and every write replaces the file atomically, so a
// crash never leaves a truncated file behind. Values are Windows-1251 bytes.
class TIniFile
{
public:
    // Raises EIniFileException when the file's folder does not exist; the
    // file itself comes into being with the first value written.
    explicit TIniFile(std::filesystem::path fileName);

    const std::filesystem::path& FileName() const { return m_fileName; }

    // A missing key, or a file that cannot be read, gives the default.
    // A value is returned with at most 2047 characters.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal digits, or hexadecimal after "0x"; anything else gives the default.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    // Read as an integer; any value other than 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // Written and read with the decimal separator of `format`, the locale's.
    double ReadFloat(std::string_view section, std::string_view key, double defaultValue,
                     const TFormatSettings& format) const;

    // Each raises EIniFileException "Unable to write to %s" when the file
    // cannot be written; the file then keeps its previous content.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Several keys of one section in one replacement of the file, so that a
    // list is never left half written.
    void WriteStrings(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& values);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void WriteFloat(std::string_view section, std::string_view key, double value,
                    const TFormatSettings& format);

private:
    std::filesystem::path m_fileName;
};

// Pure text operations behind TIniFile, kept apart so they can be tested
// without a file system.
namespace IniText {
bool FindValue(std::string_view content, std::string_view section, std::string_view key,
               std::string& value);
std::string WithValue(std::string_view content, std::string_view section, std::string_view key,
                      std::string_view value);
} // namespace IniText
