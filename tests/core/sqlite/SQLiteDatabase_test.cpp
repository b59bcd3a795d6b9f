#include "core/sqlite/SQLiteAccess.h"
#include "core/sqlite/SqlScript.h"
#include "core/text/Cp1251.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>

namespace {

TEST(SqliteErrorText, MapsKnownCodesAndQuotesUnknownOnes)
{
    const struct
    {
        int code;
        const char* text;
    } cases[] = {
        {0, "Successful result"},
        {1, "SQL error or missing database"},
        {5, "The database file is locked"},
        {14, "Unable to open the database file"},
        {19, "Abort due to contraint violation"},
        {25, "2nd parameter to sqlite3_bind out of range"},
        {26, "File opened that is not a database file"},
        {100, "sqlite3_step() has another row ready"},
        {101, "sqlite3_step() has finished executing"},
        {27, "Unknown SQLite Error Code \"27\""},
        {99, "Unknown SQLite Error Code \"99\""},
        {-1, "Unknown SQLite Error Code \"-1\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SqliteErrorText(c.code), c.text) << c.code;
}

class SQLiteDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override { m_file = m_dir.File("test.db"); }

    std::unique_ptr<TSQLiteDatabase> Open(const std::string& script)
    {
        RunSqlScript(m_file, script);
        return std::make_unique<TSQLiteDatabase>(m_file.string());
    }

    TempDir m_dir;
    std::filesystem::path m_file;
};

TEST_F(SQLiteDatabaseTest, FailuresCarryCodeStatementAndSQLitesText)
{
    const auto db = Open("CREATE TABLE t (id INTEGER PRIMARY KEY); INSERT INTO t VALUES (1);");
    const struct
    {
        std::function<void()> action;
        const char* message;
    } cases[] = {
        {[&] { db->QueryTable("SELECT * FROM missing"); },
         "Error executing SQL.\rError [1]: SQL error or missing database.\r"
         "\"SELECT * FROM missing\": no such table: missing"},
        {[&] { db->QueryTable("SELECT abs(-9223372036854775808)"); },
         "Could not retrieve data.\rError [1]: SQL error or missing database.\r"
         "\"SELECT abs(-9223372036854775808)\": integer overflow"},
        {[&] { db->ExecuteStatement("INSERT INTO t VALUES (1)"); },
         "Error executing SQL statement.\rError [19]: Abort due to contraint violation.\r"
         "\"INSERT INTO t VALUES (1)\": UNIQUE constraint failed: t.id"},
        {[&] { db->QueryTable(""); }, "Could not prepare SQL statement"},
        {[&] { db->QueryTable("-- only a comment"); }, "Could not prepare SQL statement"},
        {[&] { db->ExecuteStatement("   "); }, "Could not prepare SQL statement"},
        {[&] { db->RollbackTransaction(); },
         "Error executing SQL statement.\rError [1]: SQL error or missing database.\r"
         "\"ROLLBACK\": cannot rollback - no transaction is active"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageOf<ESQLiteException>(c.action), c.message);
        // The connection stays usable after every failure.
        EXPECT_EQ(db->QueryTable("SELECT count(*) AS n FROM t")->FieldTextByName("n"), "1");
    }
}

TEST_F(SQLiteDatabaseTest, StatementThatYieldsRowsFails)
{
    const auto db = Open("CREATE TABLE t (v); INSERT INTO t VALUES (1);");
    const std::string message =
        MessageOf<ESQLiteException>([&] { db->ExecuteStatement("SELECT v FROM t"); });
    EXPECT_EQ(message, "Error executing SQL statement");
}

TEST_F(SQLiteDatabaseTest, MissingFileInExistingFolderIsCreatedEmpty)
{
    const std::string file = m_dir.File("absent.db").string();
    TSQLiteDatabase db(file);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_FALSE(db.HasTable("options"));
    EXPECT_EQ(MessageOf<ESQLiteException>([&] { db.QueryTable("SELECT * FROM options"); }),
              "Error executing SQL.\rError [1]: SQL error or missing database.\r"
              "\"SELECT * FROM options\": no such table: options");
}

TEST_F(SQLiteDatabaseTest, FileInMissingFolderFailsToOpen)
{
    const std::string file = m_dir.File("no/such/folder.db").string();
    EXPECT_EQ(MessageOf<ESQLiteException>([&] { TSQLiteDatabase db(file); }),
              "Failed to open database \"" + file + "\" : unable to open database file");
}

TEST_F(SQLiteDatabaseTest, HasTableIgnoresAsciiCaseOnly)
{
    const auto db = Open("CREATE TABLE catalogue (v); CREATE VIEW shown AS SELECT 1;"
                         "CREATE TABLE " +
                         Cp("Товары") + " (v);");
    EXPECT_TRUE(db->HasTable("catalogue"));
    EXPECT_TRUE(db->HasTable("Catalogue"));
    EXPECT_TRUE(db->HasTable("CATALOGUE"));
    EXPECT_FALSE(db->HasTable("options"));
    EXPECT_FALSE(db->HasTable("shown")); // a view is no table
    EXPECT_TRUE(db->HasTable(Cp("Товары")));
    EXPECT_FALSE(db->HasTable(Cp("товары")));
}

// A second connection holding the file exclusively: no busy handler is
// installed, so missing waits.
TEST_F(SQLiteDatabaseTest, LockedFileFailsAtOnce)
{
    const auto db = Open("CREATE TABLE t (v); INSERT INTO t VALUES (1);");
    db->QueryTable("SELECT v FROM t"); // the schema is known from here on
    TSQLiteDatabase holder(m_file.string());
    holder.ExecuteStatement("BEGIN EXCLUSIVE");

    EXPECT_EQ(MessageOf<ESQLiteException>([&] { db->QueryTable("SELECT v FROM t"); }),
              "Could not prepare SQL statement");
    // A fresh connection must read the schema first, which fails in preparing.
    TSQLiteDatabase fresh(m_file.string());
    const std::string message =
        MessageOf<ESQLiteException>([&] { fresh.QueryTable("SELECT v FROM t"); });
    EXPECT_EQ(message.rfind("Error executing SQL.\rError [5]: The database file is locked.", 0), 0u)
        << message;

    holder.ExecuteStatement("ROLLBACK");
    EXPECT_EQ(db->QueryTable("SELECT v FROM t")->RowCount(), 1);
}

TEST_F(SQLiteDatabaseTest, RollbackUndoesTheOpenTransaction)
{
    const auto db = Open("CREATE TABLE t (v);");
    db->ExecuteStatement("BEGIN");
    db->ExecuteStatement("INSERT INTO t VALUES (1)");
    db->RollbackTransaction();
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(db->QueryTable("SELECT v FROM t")->RowCount(), 0);
}

TEST_F(SQLiteDatabaseTest, ObserverSeesEveryStatement)
{
    const auto db = Open("CREATE TABLE t (v);");
    std::vector<std::string> seen;
    db->OnStatement = [&](TSQLiteDatabase& source, const std::string& sql) {
        EXPECT_EQ(&source, db.get());
        seen.push_back(sql);
    };
    db->ExecuteStatement("INSERT INTO t VALUES (1)");
    db->QueryTable("SELECT v FROM t");
    db->HasTable("T");
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "INSERT INTO t VALUES (1)", "SELECT v FROM t",
                        "select [sql] from sqlite_master where [type] = 'table' and "
                        "lower(name) = 't' "}));
}

TEST_F(SQLiteDatabaseTest, NamedParametersApplyToTheNextStatementOnly)
{
    const auto db = Open("CREATE TABLE t (i, r, s, n);");
    db->AddNamedParameter({":i", ColumnKind::Integer, 7, 0, ""});
    db->AddNamedParameter({":r", ColumnKind::Float, 0, 2.5, ""});
    db->AddNamedParameter({":s", ColumnKind::Text, 0, 0, std::string("a\0b", 3)});
    db->AddNamedParameter({":n", ColumnKind::Null, 1, 1, "x"});
    db->AddNamedParameter({":i", ColumnKind::Blob, 9, 9, "skipped"});
    db->AddNamedParameter({":unknown", ColumnKind::Integer, 1, 0, ""});
    db->ExecuteStatement("INSERT INTO t VALUES (:i, :r, :s, :n)");
    EXPECT_TRUE(db->NamedParameters().empty());
    db->ExecuteStatement("INSERT INTO t VALUES (:i, :r, :s, :n)"); // all NULL now

    const auto table = db->QueryTable(
        "SELECT typeof(i) || typeof(r) || typeof(s) || typeof(n) AS types, i, r, length(CAST(s "
        "AS BLOB)) AS len FROM t ORDER BY rowid");
    EXPECT_EQ(table->FieldTextByName("types"), "integerrealtextnull");
    EXPECT_EQ(table->FieldTextByName("i"), "7");
    EXPECT_EQ(table->FieldTextByName("len"), "3");
    table->Next();
    EXPECT_EQ(table->FieldTextByName("types"), "nullnullnullnull");
}

// Each value is stored in an untyped column and read back with its type and
// stored bytes.
TEST_F(SQLiteDatabaseTest, PositionalValuesBindByKind)
{
    const auto db = Open("CREATE TABLE t (v);");
    const std::string cp1251 = Cp("Ёлка");
    const std::byte bytes[] = {std::byte{0x61}, std::byte{0x00}, std::byte{0x62}};
    std::istringstream stream(std::string("stream\0data", 11));
    stream.seekg(4); // read from the start all the same
    const struct
    {
        PositionalValue value;
        const char* type;
        std::string hex;
    } cases[] = {
        {int32_t{-5}, "integer", "2D35"},
        {true, "integer", "31"},
        {int64_t{1} << 40, "integer", "31303939353131363237373736"},
        {2.5, "real", "322E35"},
        {nullptr, "null", ""},
        {static_cast<const void*>(nullptr), "null", ""},
        {'x', "text", "78"},
        {std::string("abc"), "text", "616263"},
        {cp1251, "text", "A8EBEAE0"},
        {"plain", "text", "706C61696E"},
        {static_cast<const char*>(nullptr), "null", ""},
        {L'Ё', "text", "D081"},
        {std::wstring(L"Ёлка"), "text", "D081D0BBD0BAD0B0"},
        {L"ab", "text", "6162"},
        {TBlobView(bytes), "blob", "610062"},
        {&stream, "blob", "73747265616D0064617461"},
    };
    for (const auto& c : cases) {
        db->ExecuteStatement("DELETE FROM t");
        db->ExecuteStatement("INSERT INTO t VALUES (?)", {c.value});
        const auto table = db->QueryTable("SELECT typeof(v) AS type, hex(v) AS hex FROM t");
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(table->FieldTextByName("type"), c.type);
        EXPECT_EQ(table->FieldTextByName("hex"), c.hex);
    }
}

TEST_F(SQLiteDatabaseTest, BoundTextEqualsTheSameLiteral)
{
    const auto db = Open("CREATE TABLE t (v TEXT);");
    db->ExecuteStatement("INSERT INTO t VALUES (?), (?)", {std::string("abc"), 'z'});
    const TSQLiteTable table(*db, "SELECT v FROM t WHERE v = ? OR v = 'z'", {"abc"});
    EXPECT_EQ(table.RowCount(), 2);
}

TEST_F(SQLiteDatabaseTest, PositionalValuesThatCannotBindRaise)
{
    const auto db = Open("CREATE TABLE t (v);");
    int object = 1;
    const struct
    {
        PositionalValue value;
        const char* message;
    } cases[] = {
        {std::monostate{}, "Unhandled binding"},
        {static_cast<const void*>(&object), "Unhandled pointer (<> nil)"},
        {std::any(object), "Unhandled object-type in binding"},
        {static_cast<std::istream*>(nullptr), "Unhandled object-type in binding"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageOf<ESQLiteException>(
                      [&] { db->ExecuteStatement("INSERT INTO t VALUES (?)", {c.value}); }),
                  c.message);
    }
    EXPECT_EQ(MessageOf<ESQLiteException>([&] {
                  db->ExecuteStatement("INSERT INTO t VALUES (?)", {1, 2});
              }),
              "Could not bind integer.\rError [25]: 2nd parameter to sqlite3_bind out of range.\r"
              "\"BindData\": column index out of range");
    EXPECT_EQ(db->QueryTable("SELECT v FROM t")->RowCount(), 0);
}

} // namespace
