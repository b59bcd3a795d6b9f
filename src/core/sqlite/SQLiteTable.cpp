#include "core/sqlite/SQLiteAccess.h"

#include "core/sqlite/SQLiteStatement.h"
#include "core/text/NumberFormat.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <sqlite3.h>
#include <string_view>

namespace {

// The declared type decides the kind when there is one, compared exactly:
// "integer" or "INT" therefore make text columns.
ColumnKind KindOfDeclaredType(std::string_view declared)
{
    if (declared == "INTEGER" || declared == "BOOLEAN")
        return ColumnKind::Integer;
    if (declared == "NUMERIC" || declared == "FLOAT" || declared == "DOUBLE" || declared == "REAL")
        return ColumnKind::Float;
    if (declared == "BLOB")
        return ColumnKind::Blob;
    return ColumnKind::Text;
}

int64_t TruncateToInt64(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (value >= limit)
        return std::numeric_limits<int64_t>::max();
    if (value < -limit)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(value);
}

} // namespace

TSQLiteTable::TSQLiteTable(TSQLiteDatabase& database, const std::string& sql,
                           const std::vector<PositionalValue>& values)
    : m_numberFormat(database.NumberFormat)
{
    const PreparedStatement statement = PrepareStatement(database, sql);
    database.NotifyStatement(sql);
    database.ApplyNamedParameters(statement.get());
    database.BindData(statement.get(), values);

    int result = sqlite3_step(statement.get());
    while (result != SQLITE_DONE) {
        // No busy handler is installed: a locked file fails at once.
        if (result == SQLITE_BUSY)
            throw ESQLiteException("Could not prepare SQL statement");
        if (result != SQLITE_ROW) {
            sqlite3_reset(statement.get());
            database.RaiseLastError("Could not retrieve data", sql);
        }
        if (m_rowCount == 0)
            ReadFirstRow(statement.get());
        AppendRow(statement.get());
        ++m_rowCount;
        result = sqlite3_step(statement.get());
    }
    m_currentRow = 0;
}

void TSQLiteTable::ReadFirstRow(sqlite3_stmt* statement)
{
    m_columnCount = sqlite3_column_count(statement);
    m_columnNames.reserve(static_cast<std::size_t>(m_columnCount));
    m_columnKinds.reserve(static_cast<std::size_t>(m_columnCount));
    for (int c = 0; c < m_columnCount; ++c) {
        const char* name = sqlite3_column_name(statement, c);
        m_columnNames.push_back(UpperCaseCp1251(name != nullptr ? name : ""));
        const char* declared = sqlite3_column_decltype(statement, c);
        m_columnKinds.push_back(declared != nullptr
                                    ? KindOfDeclaredType(declared)
                                    : static_cast<ColumnKind>(sqlite3_column_type(statement, c)));
    }
}

void TSQLiteTable::AppendRow(sqlite3_stmt* statement)
{
    for (int c = 0; c < m_columnCount; ++c) {
        // Asked before any read, while it still reports the stored type.
        if (sqlite3_column_type(statement, c) == SQLITE_NULL) {
            m_cells.emplace_back();
            continue;
        }
        switch (m_columnKinds[static_cast<std::size_t>(c)]) {
        case ColumnKind::Integer:
            m_cells.emplace_back(static_cast<int64_t>(sqlite3_column_int64(statement, c)));
            break;
        case ColumnKind::Float:
            m_cells.emplace_back(sqlite3_column_double(statement, c));
            break;
        case ColumnKind::Blob: {
            const auto* data = static_cast<const std::byte*>(sqlite3_column_blob(statement, c));
            const int size = sqlite3_column_bytes(statement, c);
            if (data == nullptr || size <= 0) {
                m_cells.emplace_back();
                break;
            }
            m_blobs.emplace_back(data, data + size);
            m_cells.emplace_back(BlobRef{m_blobs.size() - 1});
            break;
        }
        case ColumnKind::Text:
        case ColumnKind::Null:
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
            const std::size_t length = text != nullptr ? std::strlen(text) : 0;
            m_cells.emplace_back(TextRef{m_texts.size(), length});
            m_texts.append(text != nullptr ? text : "", length);
            break;
        }
        }
    }
}

bool TSQLiteTable::Next()
{
    if (AtEnd())
        return false;
    ++m_currentRow;
    return true;
}

ColumnKind TSQLiteTable::KindOf(int index) const
{
    if (index < 0 || index >= m_columnCount)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return m_columnKinds[static_cast<std::size_t>(index)];
}

int TSQLiteTable::ColumnIndex(const std::string& columnName) const
{
    if (m_columnNames.empty())
        throw ESQLiteException("Field " + columnName + " Not found. Empty dataset");
    const std::string wanted = UpperCaseCp1251(columnName);
    for (std::size_t i = 0; i < m_columnNames.size(); ++i) {
        if (m_columnNames[i] == wanted)
            return static_cast<int>(i);
    }
    throw ESQLiteException("Field not found in dataset: " + columnName);
}

const TSQLiteTable::Cell& TSQLiteTable::CurrentCell(int index) const
{
    if (AtEnd())
        throw ESQLiteException("Table is at End of File");
    KindOf(index);
    return m_cells[static_cast<std::size_t>(m_currentRow) *
                       static_cast<std::size_t>(m_columnCount) +
                   static_cast<std::size_t>(index)];
}

std::string TSQLiteTable::FieldText(int index) const
{
    const Cell& cell = CurrentCell(index);
    switch (KindOf(index)) {
    case ColumnKind::Integer:
        return std::to_string(FieldInt64(index));
    case ColumnKind::Float:
        return std::holds_alternative<double>(cell)
                   ? FloatToStr(std::get<double>(cell), m_numberFormat)
                   : "0";
    case ColumnKind::Text:
        if (const auto* text = std::get_if<TextRef>(&cell))
            return m_texts.substr(text->Offset, text->Length);
        return {};
    case ColumnKind::Blob:
        return FieldBlobText(index);
    case ColumnKind::Null:
    default:
        return {};
    }
}

std::string TSQLiteTable::FieldTextByName(const std::string& columnName) const
{
    return FieldText(ColumnIndex(columnName));
}

int64_t TSQLiteTable::FieldInt64(int index) const
{
    const Cell& cell = CurrentCell(index);
    if (std::holds_alternative<std::monostate>(cell))
        return 0;
    if (const auto* value = std::get_if<int64_t>(&cell))
        return *value;
    if (const auto* value = std::get_if<double>(&cell))
        return TruncateToInt64(*value);
    throw ESQLiteException("Not an integer or numeric field");
}

double TSQLiteTable::FieldDouble(int index) const
{
    const Cell& cell = CurrentCell(index);
    if (std::holds_alternative<std::monostate>(cell))
        return 0;
    if (const auto* value = std::get_if<int64_t>(&cell))
        return static_cast<double>(*value);
    if (const auto* value = std::get_if<double>(&cell))
        return *value;
    throw ESQLiteException("Not an integer or numeric field");
}

const TBlobStream* TSQLiteTable::FieldBlob(int index) const
{
    const Cell& cell = CurrentCell(index);
    if (std::holds_alternative<std::monostate>(cell))
        return nullptr;
    if (const auto* blob = std::get_if<BlobRef>(&cell))
        return &m_blobs[blob->Index];
    throw ESQLiteException("Not a Blob field");
}

std::string TSQLiteTable::FieldBlobText(int index) const
{
    const TBlobStream* blob = FieldBlob(index);
    if (blob == nullptr || blob->empty())
        return {};
    return std::string(reinterpret_cast<const char*>(blob->data()), blob->size());
}
