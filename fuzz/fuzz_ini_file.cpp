// The settings-file reader and writer on arbitrary files and names. A value
// written is read back as written (blanks around it aside, cut to 2047
// characters), every other key reads as before, and the typed reads of the
// file layer give back what the typed writes stored.
//
// Input: section, key, value, a second section and key to look up, each a
// string ended by "\" and one other character; then the file's content. The
// last twelve bytes give the integer and the float written.
#include "FuzzSupport.h"

#include "core/settings/IniFile.h"

#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

// Line breaks count as blanks too: a name looked up may hold them.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    return text.substr(start);
}

bool SameName(const std::string& a, const std::string& b)
{
    const std::string x = Trimmed(a), y = Trimmed(b);
    if (x.size() != y.size())
        return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        };
        if (lower(x[i]) != lower(y[i]))
            return false;
    }
    return true;
}

std::string Without(std::string text, std::string_view banned)
{
    std::erase_if(text, [&](char c) { return banned.find(c) != std::string_view::npos; });
    return text;
}

// Names and values the file layout can carry: no line breaks anywhere, no
// "]" in a section name, no "=" in a key, and no key that opens like a
// section header.
std::string SectionName(std::string text)
{
    return Without(std::move(text), "\r\n]");
}

std::string KeyName(std::string text)
{
    text = Without(std::move(text), "\r\n=");
    while (Trimmed(text).starts_with('['))
        text.erase(text.find('['), 1);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string section = SectionName(input.ConsumeRandomLengthString(64));
    const std::string key = KeyName(input.ConsumeRandomLengthString(64));
    const std::string value = Without(input.ConsumeRandomLengthString(4096), "\r\n");
    const std::string otherSection = input.ConsumeRandomLengthString(64);
    const std::string otherKey = input.ConsumeRandomLengthString(64);
    const auto number = input.ConsumeIntegral<int32_t>();
    const auto real = input.ConsumeFloatingPoint<double>();
    const std::string content = input.ConsumeRemainingBytesAsString();

    // Text level.
    std::string otherBefore;
    const bool otherFound = IniText::FindValue(content, otherSection, otherKey, otherBefore);
    const std::string written = IniText::WithValue(content, section, key, value);
    std::string back;
    FUZZ_CHECK(IniText::FindValue(written, section, key, back));
    FUZZ_CHECK(back == Trimmed(value).substr(0, 2047));
    if (!(SameName(section, otherSection) && SameName(key, otherKey))) {
        std::string otherAfter;
        FUZZ_CHECK(IniText::FindValue(written, otherSection, otherKey, otherAfter) == otherFound);
        FUZZ_CHECK(otherAfter == otherBefore);
    }
    // Writing the same value again changes nothing more.
    FUZZ_CHECK(IniText::WithValue(written, section, key, value) == written);

    // File level.
    static const std::filesystem::path file = ScratchFile("settings.ini");
    WriteScratchFile(file, reinterpret_cast<const uint8_t*>(content.data()), content.size());
    TIniFile ini(file);
    FUZZ_CHECK(ini.ReadString(otherSection, otherKey, "-") == (otherFound ? otherBefore : "-"));
    ini.ReadInteger(otherSection, otherKey, 0);
    ini.ReadFloat(otherSection, otherKey, 0, TFormatSettings{});

    ini.WriteString(section, key, value);
    FUZZ_CHECK(ini.ReadString(section, key, "") == back);
    ini.WriteInteger(section, key, number);
    FUZZ_CHECK(ini.ReadInteger(section, key, number == 0 ? 1 : 0) == number);
    FUZZ_CHECK(ini.ReadBool(section, key, number == 0) == (number != 0));
    // Fifteen digits round the very largest doubles past the range, so those
    // are left out.
    if (std::isfinite(real) && std::fabs(real) < 1e300) {
        ini.WriteFloat(section, key, real, TFormatSettings{});
        const double read = ini.ReadFloat(section, key, std::nan(""), TFormatSettings{});
        FUZZ_CHECK(std::fabs(read - real) <= std::fabs(real) * 1e-14);
    }
    return 0;
}
