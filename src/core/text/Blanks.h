#pragma once

#include <string_view>

// Blanks as the program's text fields and pasted lines have them: spaces and
// tabs, whatever the locale says.
inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}
