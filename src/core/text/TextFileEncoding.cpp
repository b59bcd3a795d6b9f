#include "core/text/TextFileEncoding.h"

#include "core/text/Cp1251.h"

std::string TextFileToCp1251(std::string_view bytes)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    const std::string_view body = marked ? bytes.substr(kByteOrderMark.size()) : bytes;
    bool utf8 = false;
    std::string converted = Utf8ToCp1251(body, &utf8);
    if (utf8)
        return converted;
    return std::string(body);
}
