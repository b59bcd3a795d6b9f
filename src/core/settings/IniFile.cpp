#include "core/settings/IniFile.h"

#include "core/settings/AtomicFile.h"
#include "core/text/Cp1251.h"

#include <QFile>
#include <QFileInfo>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t kMaxValueLength = 2047;

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b)
{
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view content)
{
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        const auto end = content.find('\n');
        std::string_view line = content.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        content.remove_prefix(end + 1);
    }
    return lines;
}

// The section name of a "[name]" line, or nothing.
bool SectionHeader(std::string_view line, std::string_view& name)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = line.substr(1, close - 1);
    return true;
}

bool KeyLine(std::string_view line, std::string_view& key, std::string_view& value)
{
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return true;
}

std::string PathForMessage(const std::filesystem::path& path)
{
    bool ok = false;
    std::string text = Utf8ToCp1251(path.string(), &ok);
    return ok ? text : path.string();
}

// Whether a replacement of the existing `file` would be allowed: the file and
// its folder are writable.
bool TakesWrites(const std::filesystem::path& file)
{
    const std::filesystem::path folder = file.parent_path();
    return QFileInfo(QFile::decodeName(file.c_str())).isWritable() &&
           QFileInfo(QFile::decodeName(folder.empty() ? "." : folder.c_str())).isWritable();
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return !in.bad();
}

} // namespace

namespace IniText {

bool FindValue(std::string_view content, std::string_view section, std::string_view key,
               std::string& value)
{
    bool inSection = false;
    for (std::string_view line : SplitLines(content)) {
        std::string_view name;
        if (SectionHeader(line, name)) {
            inSection = SameName(name, section);
            continue;
        }
        std::string_view lineKey, lineValue;
        if (inSection && KeyLine(line, lineKey, lineValue) && SameName(lineKey, key)) {
            value = std::string(lineValue.substr(0, kMaxValueLength));
            return true;
        }
    }
    return false;
}

std::string WithValue(std::string_view content, std::string_view section, std::string_view key,
                      std::string_view value)
{
    const std::vector<std::string_view> lines = SplitLines(content);
    std::string entry(key);
    entry.append("=").append(value);

    std::vector<std::string> out;
    out.reserve(lines.size() + 3);
    bool inSection = false;
    bool done = false;
    std::size_t sectionEnd = std::string::npos; // where a new key of the section goes
    for (std::string_view line : lines) {
        std::string_view name;
        if (SectionHeader(line, name)) {
            if (inSection && !done && sectionEnd != std::string::npos) {
                out.insert(out.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
                done = true;
            }
            inSection = !done && SameName(name, section);
            out.emplace_back(line);
            if (inSection)
                sectionEnd = out.size();
            continue;
        }
        std::string_view lineKey, lineValue;
        if (inSection && !done && KeyLine(line, lineKey, lineValue) && SameName(lineKey, key)) {
            out.push_back(entry);
            done = true;
            continue;
        }
        out.emplace_back(line);
        if (inSection && !Trim(line).empty())
            sectionEnd = out.size();
    }
    if (!done && inSection && sectionEnd != std::string::npos) {
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
        done = true;
    }
    if (!done) {
        if (!out.empty() && !Trim(out.back()).empty())
            out.emplace_back();
        std::string header = "[";
        header.append(section).append("]");
        out.push_back(std::move(header));
        out.push_back(entry);
    }
    std::string result;
    for (const std::string& line : out)
        result.append(line).append("\r\n");
    return result;
}

} // namespace IniText

TIniFile::TIniFile(std::filesystem::path fileName) : m_fileName(std::move(fileName))
{
    std::error_code error;
    const auto folder = m_fileName.parent_path();
    if (m_fileName.filename().empty() ||
        (!folder.empty() && !std::filesystem::is_directory(folder, error)))
        throw EIniFileException("Unable to open " + PathForMessage(m_fileName));
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const
{
    std::string content;
    std::string value;
    if (ReadWholeFile(m_fileName, content) && IniText::FindValue(content, section, key, value))
        return value;
    return std::string(defaultValue.substr(0, kMaxValueLength));
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                              int32_t defaultValue) const
{
    int32_t value = defaultValue;
    if (!TryStrToInt(ReadString(section, key, ""), value, true))
        return defaultValue;
    return value;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(std::string_view section, std::string_view key, double defaultValue,
                           const TFormatSettings& format) const
{
    double value = defaultValue;
    if (!TryStrToFloat(ReadString(section, key, ""), value, format))
        return defaultValue;
    return value;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    WriteStrings(section, {{std::string(key), std::string(value)}});
}

void TIniFile::WriteStrings(std::string_view section,
                            const std::vector<std::pair<std::string, std::string>>& values)
{
    std::string content;
    std::error_code error;
    const bool exists = std::filesystem::exists(m_fileName, error);
    if (exists && !ReadWholeFile(m_fileName, content))
        throw EIniFileException("Unable to write to " + PathForMessage(m_fileName));

    std::string written = content;
    for (const auto& [key, value] : values)
        written = IniText::WithValue(written, section, key, value);
    // The start writes the rate and the modes back as they were; replacing a
    // file waits for the disk, so a write that changes nothing is left out,
    // unless the file or its folder refuses writes, which is reported as before.
    if (exists && written == content && TakesWrites(m_fileName))
        return;
    content = std::move(written);
    QString reason;
    if (!ReplaceFileContent(m_fileName, content, reason))
        throw EIniFileException("Unable to write to " + PathForMessage(m_fileName));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteFloat(std::string_view section, std::string_view key, double value,
                          const TFormatSettings& format)
{
    WriteString(section, key, FloatToStr(value, format));
}
