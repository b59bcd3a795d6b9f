#include "core/sqlite/SQLiteAccess.h"

#include "core/sqlite/SQLiteStatement.h"

#include <array>
#include <sqlite3.h>
#include <utility>

namespace {

constexpr std::array<const char*, 27> kErrorTexts = {
    "Successful result",
    "SQL error or missing database",
    "An internal logic error in SQLite",
    "Access permission denied",
    "Callback routine requested an abort",
    "The database file is locked",
    "A table in the database is locked",
    "A malloc() failed",
    "Attempt to write a readonly database",
    "Operation terminated by sqlite3_interrupt()",
    "Some kind of disk I/O error occurred",
    "The database disk image is malformed",
    "(Internal Only) Table or record not found",
    "Insertion failed because database is full",
    "Unable to open the database file",
    "Database lock protocol error",
    "Database is empty",
    "The database schema changed",
    "Too much data for one row of a table",
    "Abort due to contraint violation",
    "Data type mismatch",
    "Library used incorrectly",
    "Uses OS features not supported on host",
    "Authorization denied",
    "Auxiliary database format error",
    "2nd parameter to sqlite3_bind out of range",
    "File opened that is not a database file",
};

// Byte-wise upper case of Windows-1251: a-z, the Cyrillic block 0xE0-0xFF and
// the scattered letters of 0x80-0xBF paired with their capitals.
constexpr std::array<unsigned char, 256> MakeUpperTable()
{
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = static_cast<unsigned char>(b);
    for (int b = 'a'; b <= 'z'; ++b)
        table[b] = static_cast<unsigned char>(b - 0x20);
    for (int b = 0xE0; b <= 0xFF; ++b)
        table[b] = static_cast<unsigned char>(b - 0x20);
    constexpr std::pair<int, int> pairs[] = {
        {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
        {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5},
        {0xB8, 0xA8}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD},
    };
    for (const auto& [lower, upper] : pairs)
        table[lower] = static_cast<unsigned char>(upper);
    return table;
}

constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();

} // namespace

std::string SqliteErrorText(int code)
{
    if (code >= 0 && code < static_cast<int>(kErrorTexts.size()))
        return kErrorTexts[static_cast<std::size_t>(code)];
    if (code == SQLITE_ROW)
        return "sqlite3_step() has another row ready";
    if (code == SQLITE_DONE)
        return "sqlite3_step() has finished executing";
    return "Unknown SQLite Error Code \"" + std::to_string(code) + "\"";
}

std::string UpperCaseCp1251(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
    return upper;
}

void StatementFinalizer::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

PreparedStatement PrepareStatement(TSQLiteDatabase& database, const std::string& sql)
{
    sqlite3_stmt* raw = nullptr;
    const int result = sqlite3_prepare_v2(database.DbHandle(), sql.c_str(), -1, &raw, nullptr);
    PreparedStatement statement(raw);
    if (result != SQLITE_OK)
        database.RaiseLastError("Error executing SQL", sql);
    if (!statement)
        database.RaiseLastError("Could not prepare SQL statement", sql);
    return statement;
}

void TSQLiteDatabase::HandleCloser::operator()(sqlite3* handle) const
{
    sqlite3_close(handle);
}

TSQLiteDatabase::TSQLiteDatabase(const std::string& fileName)
{
    sqlite3* raw = nullptr;
    const int result = sqlite3_open(fileName.c_str(), &raw);
    // Owned at once, so a failed open still closes the handle SQLite returned.
    m_handle.reset(raw);
    if (result == SQLITE_OK)
        return;
    if (m_handle) {
        throw ESQLiteException("Failed to open database \"" + fileName +
                               "\" : " + sqlite3_errmsg(m_handle.get()));
    }
    throw ESQLiteException("Failed to open database \"" + fileName + "\" : unknown error");
}

TSQLiteDatabase::~TSQLiteDatabase()
{
    if (m_inTransaction) {
        try {
            RollbackTransaction();
        } catch (const std::exception&) {
            // Closing the connection abandons the transaction anyway.
        }
    }
    m_handle.reset();
    ClearNamedParameters();
}

std::unique_ptr<TSQLiteTable> TSQLiteDatabase::QueryTable(const std::string& sql)
{
    return std::make_unique<TSQLiteTable>(*this, sql);
}

bool TSQLiteDatabase::HasTable(const std::string& tableName)
{
    std::string name = tableName;
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 0x20);
    }
    const auto table = QueryTable(
        "select [sql] from sqlite_master where [type] = 'table' and lower(name) = '" + name + "' ");
    return table->RowCount() > 0;
}

void TSQLiteDatabase::ExecuteStatement(const std::string& sql)
{
    ExecuteStatement(sql, {});
}

void TSQLiteDatabase::ExecuteStatement(const std::string& sql,
                                       const std::vector<PositionalValue>& values)
{
    const PreparedStatement statement = PrepareStatement(*this, sql);
    NotifyStatement(sql);
    ApplyNamedParameters(statement.get());
    BindData(statement.get(), values);
    if (sqlite3_step(statement.get()) != SQLITE_DONE) {
        sqlite3_reset(statement.get());
        RaiseLastError("Error executing SQL statement", sql);
    }
}

void TSQLiteDatabase::RollbackTransaction()
{
    ExecuteStatement("ROLLBACK");
    m_inTransaction = false;
}

void TSQLiteDatabase::RaiseLastError(const std::string& message, const std::string& sql) const
{
    const int code = sqlite3_errcode(m_handle.get());
    const char* text = code != SQLITE_OK ? sqlite3_errmsg(m_handle.get()) : nullptr;
    if (text == nullptr)
        throw ESQLiteException(message);
    throw ESQLiteException(message + ".\rError [" + std::to_string(code) +
                           "]: " + SqliteErrorText(code) + ".\r\"" + sql + "\": " + text);
}

void TSQLiteDatabase::AddNamedParameter(TNamedParameter parameter)
{
    m_namedParameters.push_back(std::move(parameter));
}

void TSQLiteDatabase::ApplyNamedParameters(sqlite3_stmt* statement)
{
    for (const TNamedParameter& parameter : m_namedParameters) {
        const int index = sqlite3_bind_parameter_index(statement, parameter.Name.c_str());
        if (index <= 0)
            continue;
        switch (parameter.Kind) {
        case ColumnKind::Integer:
            sqlite3_bind_int64(statement, index, parameter.ValueInt64);
            break;
        case ColumnKind::Float:
            sqlite3_bind_double(statement, index, parameter.ValueDouble);
            break;
        case ColumnKind::Text:
            sqlite3_bind_text(statement, index, parameter.ValueText.data(),
                              static_cast<int>(parameter.ValueText.size()), SQLITE_TRANSIENT);
            break;
        case ColumnKind::Null:
            sqlite3_bind_null(statement, index);
            break;
        default:
            break;
        }
    }
    ClearNamedParameters();
}

void TSQLiteDatabase::ClearNamedParameters()
{
    m_namedParameters.clear();
}

void TSQLiteDatabase::NotifyStatement(const std::string& sql)
{
    if (OnStatement)
        OnStatement(*this, sql);
}
