#include "core/catalogue/NameFilter.h"

namespace {

std::string WithoutDoubleQuotes(std::string_view typed)
{
    std::string text;
    text.reserve(typed.size());
    for (char c : typed) {
        if (c != '"')
            text += c;
    }
    return text;
}

} // namespace

NameFilter::NameFilter(std::string_view typed)
    : m_text(WithoutDoubleQuotes(typed)), m_pattern("%" + m_text + "%", Cp1251CaseFold())
{}

// SQLite reads a byte below 0x80 always as a character of its own, never as
// a part of a sequence, and compares ASCII letters without regard to case,
// as Matches does. Every other byte, alone or in a run, reads as one or more
// characters of some kind. So the filter's ASCII characters keep their
// meaning there, while each run of other bytes, and each "_" (a Windows-1251
// character may read as part of a longer sequence), becomes "%". A NUL would
// end the statement's text and goes the same way.
std::string NameFilter::DatabasePattern() const
{
    if (ListsWholeCatalogue())
        return {};
    std::string pattern = "%";
    bool literal = false;
    for (char c : m_text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0 || byte >= 0x80 || c == '%' || c == '_') {
            if (pattern.back() != '%')
                pattern += '%';
        } else {
            pattern += c;
            literal = true;
        }
    }
    if (!literal)
        return {};
    if (pattern.back() != '%')
        pattern += '%';
    return pattern;
}
