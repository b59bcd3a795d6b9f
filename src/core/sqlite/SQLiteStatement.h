#pragma once

#include <memory>
#include <string>
#include <string_view>

struct sqlite3_stmt;
class TSQLiteDatabase;

// Helpers shared by the connection and the query result.

struct StatementFinalizer
{
    void operator()(sqlite3_stmt* statement) const;
};

// Finalised on every path, success or failure.
using PreparedStatement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Prepares the first statement of `sql`; raises "Error executing SQL" when
// SQLite refuses it and "Could not prepare SQL statement" when the text holds
// no statement.
PreparedStatement PrepareStatement(TSQLiteDatabase& database, const std::string& sql);

// Upper case of Windows-1251 text: ASCII and the Cyrillic letters of the code
// page, so column names compare the way the catalogue's authors wrote them.
std::string UpperCaseCp1251(std::string_view text);
