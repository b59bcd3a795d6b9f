#pragma once

#include "core/text/NumberFormat.h"

#include <any>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Every failure of the database layer; what() is an English text.
class ESQLiteException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The fixed English text of an SQLite result code.
std::string SqliteErrorText(int code);

// Storage kind of a result column, numbered like SQLite's datatype codes.
enum class ColumnKind : int32_t
{
    Integer = 1,
    Float = 2,
    Text = 3,
    Blob = 4,
    Null = 5,
};

// The bytes of one blob cell, owned by its table.
using TBlobStream = std::vector<std::byte>;

// Bytes in memory, bound where they lie: they must outlive the statement.
using TBlobView = std::span<const std::byte>;

// One value bound by position. The alternatives, and how each is bound:
//   std::monostate         nothing; a value of no bindable kind ("Unhandled binding")
//   int32_t, bool, int64_t integers (bool as 0 or 1)
//   double                 float
//   std::nullptr_t         NULL
//   const void*            NULL when null; any other pointer is refused
//   char, std::string      8-bit text as it is (Windows-1251 bytes, no conversion)
//   const char*            zero-terminated 8-bit text; a null pointer binds NULL
//   wchar_t, std::wstring, const wchar_t*   wide text, stored as UTF-8
//   TBlobView              blob over the caller's memory, not copied
//   std::istream*          blob holding the whole stream read from its start
//   std::any               an object that is no stream: refused
using PositionalValue =
    std::variant<std::monostate, int32_t, bool, int64_t, double, std::nullptr_t, const void*, char,
                 std::string, const char*, wchar_t, std::wstring, const wchar_t*, TBlobView,
                 std::istream*, std::any>;

// A parameter bound by name to the next statement, then forgotten. Only the
// value matching Kind is used; kinds other than Integer, Float, Text and Null
// are skipped.
struct TNamedParameter
{
    std::string Name; // as SQLite's lookup expects it, prefix included (":id")
    ColumnKind Kind = ColumnKind::Null;
    int64_t ValueInt64 = 0;
    double ValueDouble = 0;
    std::string ValueText;
};

class TSQLiteTable;

// One open connection. The file name and every SQL text go to SQLite as the
// bytes given; the layer converts no text.
class TSQLiteDatabase
{
public:
    using StatementObserver = std::function<void(TSQLiteDatabase&, const std::string&)>;

    explicit TSQLiteDatabase(const std::string& fileName);
    ~TSQLiteDatabase();
    TSQLiteDatabase(const TSQLiteDatabase&) = delete;
    TSQLiteDatabase& operator=(const TSQLiteDatabase&) = delete;

    // The whole result of the first statement of `sql`, cursor on the first row.
    std::unique_ptr<TSQLiteTable> QueryTable(const std::string& sql);
    // Whether a table of that name exists; ASCII letters match in any case.
    bool HasTable(const std::string& tableName);

    // Runs one statement that yields no rows.
    void ExecuteStatement(const std::string& sql);
    void ExecuteStatement(const std::string& sql, const std::vector<PositionalValue>& values);
    void RollbackTransaction();
    bool InTransaction() const { return m_inTransaction; }

    sqlite3* DbHandle() const { return m_handle.get(); }

    // Raises ESQLiteException with `message` and, when the connection reports an
    // error, its code, its text and the statement.
    [[noreturn]] void RaiseLastError(const std::string& message, const std::string& sql) const;

    // Binds values[i] to parameter i + 1.
    void BindData(sqlite3_stmt* statement, const std::vector<PositionalValue>& values);

    void AddNamedParameter(TNamedParameter parameter);
    const std::vector<TNamedParameter>& NamedParameters() const { return m_namedParameters; }
    void ApplyNamedParameters(sqlite3_stmt* statement);
    void ClearNamedParameters();

    void NotifyStatement(const std::string& sql);

    // Called with every statement before it runs; none by default.
    StatementObserver OnStatement;
    // The decimal separator of float cells read as text, taken by each
    // table when it is queried; "." by default.
    TFormatSettings NumberFormat;

private:
    struct HandleCloser
    {
        void operator()(sqlite3* handle) const;
    };

    std::unique_ptr<sqlite3, HandleCloser> m_handle;
    bool m_inTransaction = false;
    std::vector<TNamedParameter> m_namedParameters;
};

// The complete result of one query, held in memory, with a forward-only
// cursor. It keeps no link to the database, so it outlives the connection.
class TSQLiteTable
{
public:
    TSQLiteTable(TSQLiteDatabase& database, const std::string& sql,
                 const std::vector<PositionalValue>& values = {});

    int RowCount() const { return m_rowCount; }
    int ColumnCount() const { return m_columnCount; }
    bool AtEnd() const { return m_currentRow >= m_rowCount; }
    bool Next();

    // Column names upper-cased (Windows-1251 letters included), in result order.
    const std::vector<std::string>& ColumnNames() const { return m_columnNames; }
    ColumnKind KindOf(int index) const;
    int ColumnIndex(const std::string& columnName) const;

    // Reads of the current row.
    std::string FieldText(int index) const;
    std::string FieldTextByName(const std::string& columnName) const;
    int64_t FieldInt64(int index) const;
    double FieldDouble(int index) const;
    // The table keeps the stream; null for an absent cell.
    const TBlobStream* FieldBlob(int index) const;
    std::string FieldBlobText(int index) const;

private:
    struct TextRef
    {
        std::size_t Offset;
        std::size_t Length;
    };
    struct BlobRef
    {
        std::size_t Index;
    };
    // std::monostate is an absent cell. Texts live in one shared buffer, so a
    // large result costs no allocation per cell.
    using Cell = std::variant<std::monostate, int64_t, double, TextRef, BlobRef>;

    void ReadFirstRow(sqlite3_stmt* statement);
    void AppendRow(sqlite3_stmt* statement);
    const Cell& CurrentCell(int index) const;

    std::vector<Cell> m_cells; // row-major
    std::string m_texts;
    std::vector<TBlobStream> m_blobs;
    int m_rowCount = 0;
    int m_columnCount = 0;
    std::vector<std::string> m_columnNames;
    std::vector<ColumnKind> m_columnKinds;
    int m_currentRow = 0;
    TFormatSettings m_numberFormat;
};
