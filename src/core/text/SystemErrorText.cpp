#include "core/text/SystemErrorText.h"

#include "core/text/Cp1251.h"

#include <cerrno>
#include <cwchar>
#include <system_error>

namespace {

QString DecodeLocaleText(std::string_view text)
{
    QString decoded;
    std::mbstate_t state{};
    std::size_t i = 0;
    while (i < text.size()) {
        wchar_t c = 0;
        const std::size_t used = std::mbrtowc(&c, text.data() + i, text.size() - i, &state);
        if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2)) {
            // Not in the locale's encoding: one byte becomes "?" and the
            // decoding starts afresh after it.
            decoded += u'?';
            state = std::mbstate_t{};
            ++i;
            continue;
        }
        decoded += QString::fromWCharArray(&c, 1);
        i += used == 0 ? 1 : used; // 0: a NUL byte, which is one character
    }
    return decoded;
}

} // namespace

std::string LocaleTextToCp1251(std::string_view text)
{
    return ToCp1251(DecodeLocaleText(text));
}

std::string SystemErrorText(int errorNumber)
{
    // Unlike strerror, safe on the picture decoding's helper threads.
    return LocaleTextToCp1251(std::generic_category().message(errorNumber));
}

std::string ExceptionText(const std::exception& error)
{
    if (dynamic_cast<const std::system_error*>(&error) != nullptr)
        return LocaleTextToCp1251(error.what());
    return error.what();
}

QString FileErrorReason(const QString& qtErrorString)
{
    static const struct
    {
        const char* Text;
        int ErrorNumber;
    } kNamedByQt[] = {
        {"No such file or directory", ENOENT},
        {"Permission denied", EACCES},
        {"Too many open files", EMFILE},
        {"No space left on device", ENOSPC},
    };
    for (const auto& named : kNamedByQt) {
        if (qtErrorString == QLatin1String(named.Text))
            return DecodeLocaleText(std::generic_category().message(named.ErrorNumber));
    }
    return qtErrorString;
}
