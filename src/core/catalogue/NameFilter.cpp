#include "core/catalogue/NameFilter.h"

#include <algorithm>

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

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        const std::size_t start = at;
        while (at < text.size() && !IsBlank(text[at]))
            ++at;
        if (at > start)
            words.emplace_back(text.substr(start, at - start));
    }
    return words;
}

// SQLite reads a byte below 0x80 always as a character of its own, never as
// a part of a sequence, and compares ASCII letters without regard to case,
// as the program does. Every other byte, alone or in a run, reads as one or
// more characters of some kind. So the word's ASCII characters keep their
// meaning there, while each run of other bytes, and each "_" (a Windows-1251
// character may read as part of a longer sequence), becomes "%". A NUL would
// end the statement's text and goes the same way. Empty when the word has
// nothing the database can judge.
std::string DatabasePattern(std::string_view word)
{
    std::string pattern = "%";
    bool literal = false;
    for (char c : word) {
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

} // namespace

NameFilter::NameFilter(std::string_view typed)
    : m_text(WithoutDoubleQuotes(typed)), m_wordTexts(Words(m_text))
{
    m_words.reserve(m_wordTexts.size());
    for (const std::string& word : m_wordTexts)
        m_words.emplace_back("%" + word + "%", Cp1251NameFold());
}

bool NameFilter::Matches(std::string_view name) const
{
    return std::all_of(m_words.begin(), m_words.end(),
                       [name](const LikePattern& word) { return word.Matches(name); });
}

std::vector<std::string> NameFilter::DatabasePatterns() const
{
    std::vector<std::string> patterns;
    if (ListsWholeCatalogue())
        return patterns;
    for (const std::string& word : m_wordTexts) {
        std::string pattern = DatabasePattern(word);
        if (!pattern.empty() &&
            std::find(patterns.begin(), patterns.end(), pattern) == patterns.end())
            patterns.push_back(std::move(pattern));
    }
    return patterns;
}
