#include "core/sqlite/SQLiteAccess.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <iterator>
#include <new>
#include <sqlite3.h>
#include <string_view>

namespace {

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Wide text is UTF-32 where wchar_t has 32 bits and UTF-16 where it has 16.
std::string WideToUtf8(std::wstring_view wide)
{
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = static_cast<char32_t>(wide[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size()) {
                const char32_t low = static_cast<char32_t>(wide[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        AppendUtf8(out, cp);
    }
    return out;
}

class Binder
{
public:
    Binder(TSQLiteDatabase& database, sqlite3_stmt* statement, int index)
        : m_database(database), m_statement(statement), m_index(index)
    {}

    void operator()(std::monostate) const { throw ESQLiteException("Unhandled binding"); }
    void operator()(int32_t value) const
    {
        Check(sqlite3_bind_int(m_statement, m_index, value), "Could not bind integer");
    }
    void operator()(bool value) const
    {
        Check(sqlite3_bind_int(m_statement, m_index, value ? 1 : 0), "Could not bind boolean");
    }
    void operator()(int64_t value) const
    {
        Check(sqlite3_bind_int64(m_statement, m_index, value), "Could not bind int64");
    }
    void operator()(double value) const
    {
        Check(sqlite3_bind_double(m_statement, m_index, value), "Could not bind extended");
    }
    void operator()(std::nullptr_t) const
    {
        Check(sqlite3_bind_null(m_statement, m_index), "Could not bind null");
    }
    void operator()(const void* pointer) const
    {
        if (pointer != nullptr)
            throw ESQLiteException("Unhandled pointer (<> nil)");
        (*this)(nullptr);
    }
    // Texts are bound with their exact length: a stored value must not gain a
    // trailing zero byte, or it would no longer equal the same text in SQL.
    void operator()(char value) const { BindText(std::string_view(&value, 1)); }
    void operator()(const std::string& value) const { BindText(value); }
    void operator()(const char* value) const
    {
        if (value == nullptr)
            (*this)(nullptr);
        else
            BindText(value);
    }
    void operator()(wchar_t value) const { BindText(WideToUtf8(std::wstring_view(&value, 1))); }
    void operator()(const std::wstring& value) const
    {
        const std::wstring_view text(value);
        BindText(WideToUtf8(text.substr(0, text.find(L'\0'))));
    }
    void operator()(const wchar_t* value) const
    {
        if (value == nullptr)
            (*this)(nullptr);
        else
            BindText(WideToUtf8(std::wstring_view(value)));
    }
    void operator()(TBlobView bytes) const
    {
        static const std::byte empty{};
        const void* data = bytes.empty() ? &empty : bytes.data();
        if (bytes.size() > INT_MAX)
            throw ESQLiteException("Could not bind BLOB");
        Check(sqlite3_bind_blob(m_statement, m_index, data, static_cast<int>(bytes.size()),
                                SQLITE_STATIC),
              "Could not bind BLOB");
    }
    void operator()(std::istream* stream) const
    {
        if (stream == nullptr)
            throw ESQLiteException("Unhandled object-type in binding");
        stream->clear();
        stream->seekg(0);
        std::string bytes;
        try {
            bytes.assign(std::istreambuf_iterator<char>(*stream), std::istreambuf_iterator<char>());
        } catch (const std::bad_alloc&) {
            throw ESQLiteException("Error getting memory to save blob");
        }
        if (bytes.size() > INT_MAX)
            throw ESQLiteException("Error getting memory to save blob");
        // The statement frees the buffer when it no longer needs it.
        void* buffer = std::malloc(bytes.empty() ? 1 : bytes.size());
        if (buffer == nullptr)
            throw ESQLiteException("Error getting memory to save blob");
        std::memcpy(buffer, bytes.data(), bytes.size());
        Check(sqlite3_bind_blob(m_statement, m_index, buffer, static_cast<int>(bytes.size()),
                                std::free),
              "Could not bind BLOB");
    }
    void operator()(const std::any&) const
    {
        throw ESQLiteException("Unhandled object-type in binding");
    }

private:
    void BindText(std::string_view text) const
    {
        if (text.size() > INT_MAX)
            throw ESQLiteException("Could not bind text");
        Check(sqlite3_bind_text(m_statement, m_index, text.data(), static_cast<int>(text.size()),
                                SQLITE_TRANSIENT),
              "Could not bind text");
    }
    void Check(int result, const char* message) const
    {
        if (result != SQLITE_OK)
            m_database.RaiseLastError(message, "BindData");
    }

    TSQLiteDatabase& m_database;
    sqlite3_stmt* m_statement;
    int m_index;
};

} // namespace

void TSQLiteDatabase::BindData(sqlite3_stmt* statement, const std::vector<PositionalValue>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        std::visit(Binder(*this, statement, static_cast<int>(i) + 1), values[i]);
}
