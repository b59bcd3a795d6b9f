#include "core/text/ErrorText.h"

#include <cctype>

std::string ApplicationTitle(std::string_view programFileName)
{
    const auto slash = programFileName.find_last_of("\\/");
    if (slash != std::string_view::npos)
        programFileName.remove_prefix(slash + 1);
    std::string title(programFileName.substr(0, programFileName.find('.')));
    if (title.empty())
        return title;
    for (std::size_t i = 1; i < title.size(); ++i) {
        if (title[i] >= 'A' && title[i] <= 'Z')
            title[i] = static_cast<char>(title[i] - 'A' + 'a');
    }
    return title;
}

std::string ErrorBoxText(std::string_view message)
{
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    return text;
}
