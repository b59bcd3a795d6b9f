#include "core/sqlite/SQLiteAccess.h"
#include "core/sqlite/SqlScript.h"
#include "core/text/Cp1251.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class SQLiteTableTest : public ::testing::Test
{
protected:
    void SetUp() override { m_file = m_dir.File("test.db"); }

    TSQLiteDatabase& Open(const std::string& script)
    {
        RunSqlScript(m_file, script);
        m_db = std::make_unique<TSQLiteDatabase>(m_file.string());
        return *m_db;
    }

    TempDir m_dir;
    std::filesystem::path m_file;
    std::unique_ptr<TSQLiteDatabase> m_db;
};

// One column declared with the given type; the value is inserted as written.
struct KindCase
{
    const char* declared;
    const char* value;
    ColumnKind kind;
    const char* textWithPoint;
    const char* textWithComma;
};

TEST_F(SQLiteTableTest, DeclaredTypeDecidesKindAndText)
{
    const KindCase cases[] = {
        {"INTEGER", "42", ColumnKind::Integer, "42", "42"},
        {"INTEGER", "'abc'", ColumnKind::Integer, "0", "0"}, // text read as an integer
        {"BOOLEAN", "1", ColumnKind::Integer, "1", "1"},
        {"INTEGER", "-9223372036854775808", ColumnKind::Integer, "-9223372036854775808",
         "-9223372036854775808"},
        {"REAL", "2.5", ColumnKind::Float, "2.5", "2,5"},
        {"REAL", "3", ColumnKind::Float, "3", "3"},
        {"FLOAT", "0.1", ColumnKind::Float, "0.1", "0,1"},
        {"DOUBLE", "1e20", ColumnKind::Float, "1E20", "1E20"},
        {"NUMERIC", "12.75", ColumnKind::Float, "12.75", "12,75"},
        {"REAL", "1234567.125", ColumnKind::Float, "1234567.125", "1234567,125"},
        {"Boolean", "1", ColumnKind::Text, "1", "1"},
        {"numeric", "42", ColumnKind::Text, "42", "42"},
        {"INT", "7", ColumnKind::Text, "7", "7"},
        {"VARCHAR(20)", "12.5", ColumnKind::Text, "12.5", "12.5"},
        {"TEXT", "'abc'", ColumnKind::Text, "abc", "abc"},
        {"Double", "2.5", ColumnKind::Text, "2.5", "2.5"},
        {"BIGINT", "5", ColumnKind::Text, "5", "5"},
        {"BLOB", "x'414243'", ColumnKind::Blob, "ABC", "ABC"},
    };
    int n = 0;
    std::string script;
    for (const KindCase& c : cases) {
        const std::string table = "t" + std::to_string(n++);
        script += "CREATE TABLE " + table + " (v " + c.declared + "); INSERT INTO " + table +
                  " VALUES (" + c.value + ");";
    }
    TSQLiteDatabase& db = Open(script);
    n = 0;
    for (const KindCase& c : cases) {
        SCOPED_TRACE(std::string(c.declared) + " " + c.value);
        const std::string query = "SELECT v FROM t" + std::to_string(n++);
        db.NumberFormat.DecimalSeparator = '.';
        const auto table = db.QueryTable(query);
        ASSERT_EQ(table->RowCount(), 1);
        EXPECT_EQ(table->KindOf(0), c.kind);
        EXPECT_EQ(table->FieldText(0), c.textWithPoint);
        db.NumberFormat.DecimalSeparator = ',';
        EXPECT_EQ(db.QueryTable(query)->FieldText(0), c.textWithComma);
    }
}

TEST_F(SQLiteTableTest, ColumnWithoutDeclaredTypeTakesTheFirstRowsKind)
{
    TSQLiteDatabase& db = Open("");
    const struct
    {
        const char* sql;
        ColumnKind kind;
        const char* second;
    } cases[] = {
        {"SELECT 1 AS v UNION ALL SELECT 'x'", ColumnKind::Integer, "0"},
        {"SELECT 1.5 AS v UNION ALL SELECT 2", ColumnKind::Float, "2"},
        {"SELECT 'a' AS v UNION ALL SELECT 2", ColumnKind::Text, "2"},
        {"SELECT x'00' AS v UNION ALL SELECT 'b'", ColumnKind::Blob, "b"},
        {"SELECT NULL AS v UNION ALL SELECT 'filled'", ColumnKind::Null, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        const auto table = db.QueryTable(c.sql);
        EXPECT_EQ(table->KindOf(0), c.kind);
        table->Next();
        EXPECT_EQ(table->FieldText(0), c.second);
    }
}

TEST_F(SQLiteTableTest, NullReadsAsZeroInNumericColumnsAndEmptyOtherwise)
{
    TSQLiteDatabase& db = Open("CREATE TABLE t (i INTEGER, r REAL, s TEXT, b BLOB);"
                               "INSERT INTO t VALUES (NULL, NULL, NULL, NULL);"
                               "INSERT INTO t VALUES (5, 2.5, 'x', x'');");
    const auto table = db.QueryTable("SELECT i, r, s, b FROM t ORDER BY rowid");
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        if (row == 0) {
            EXPECT_EQ(table->FieldText(0), "0");
            EXPECT_EQ(table->FieldText(1), "0");
            EXPECT_EQ(table->FieldText(2), "");
            EXPECT_EQ(table->FieldInt64(0), 0);
            EXPECT_EQ(table->FieldDouble(1), 0.0);
            // An absent cell gives no stream, whatever the column's kind.
            EXPECT_EQ(table->FieldBlob(2), nullptr);
        }
        // A zero-length blob is an absent cell.
        EXPECT_EQ(table->FieldText(3), "");
        EXPECT_EQ(table->FieldBlob(3), nullptr);
        table->Next();
    }
}

TEST_F(SQLiteTableTest, TypedReadsConvertBetweenNumbersAndRefuseOtherKinds)
{
    TSQLiteDatabase& db = Open("CREATE TABLE t (i INTEGER, r REAL, s TEXT, b BLOB);"
                               "INSERT INTO t VALUES (7, -2.9, 'x', x'0102');");
    const auto table = db.QueryTable("SELECT i, r, s, b FROM t");
    EXPECT_EQ(table->FieldInt64(1), -2); // truncated toward zero
    EXPECT_EQ(table->FieldDouble(0), 7.0);
    EXPECT_EQ(MessageOf<ESQLiteException>([&] { table->FieldInt64(2); }),
              "Not an integer or numeric field");
    EXPECT_EQ(MessageOf<ESQLiteException>([&] { table->FieldDouble(3); }),
              "Not an integer or numeric field");
    EXPECT_EQ(MessageOf<ESQLiteException>([&] { table->FieldBlob(2); }), "Not a Blob field");
    EXPECT_EQ(MessageOf<ESQLiteException>([&] { table->FieldBlobText(0); }), "Not a Blob field");
    EXPECT_THROW(table->FieldText(4), std::out_of_range);
    EXPECT_THROW(table->FieldText(-1), std::out_of_range);
}

TEST_F(SQLiteTableTest, BlobKeepsEveryByteAndTextStopsAtZero)
{
    TSQLiteDatabase& db = Open("CREATE TABLE t (b BLOB, s TEXT);"
                               "INSERT INTO t VALUES (x'610062', CAST(x'610062' AS TEXT));");
    const auto table = db.QueryTable("SELECT b, s FROM t");
    const TBlobStream* blob = table->FieldBlob(0);
    ASSERT_NE(blob, nullptr);
    EXPECT_EQ(blob->size(), 3u);
    EXPECT_EQ(table->FieldBlobText(0), std::string("a\0b", 3));
    EXPECT_EQ(table->FieldText(0), std::string("a\0b", 3));
    EXPECT_EQ(table->FieldText(1), "a");
}

TEST_F(SQLiteTableTest, CursorWalksForwardAndStopsAtTheEnd)
{
    TSQLiteDatabase& db = Open("CREATE TABLE t (v INTEGER); INSERT INTO t VALUES (1), (2);");
    const auto table = db.QueryTable("SELECT v FROM t ORDER BY v");
    EXPECT_EQ(table->RowCount(), 2);
    EXPECT_EQ(table->ColumnCount(), 1);
    EXPECT_FALSE(table->AtEnd());
    EXPECT_EQ(table->FieldText(0), "1");
    EXPECT_TRUE(table->Next());
    EXPECT_EQ(table->FieldText(0), "2");
    EXPECT_TRUE(table->Next());
    EXPECT_TRUE(table->AtEnd());
    EXPECT_FALSE(table->Next());
    for (const auto& read : std::initializer_list<std::function<void()>>{
             [&] { table->FieldText(0); }, [&] { table->FieldInt64(0); },
             [&] { table->FieldDouble(0); }, [&] { table->FieldBlob(0); },
             [&] {
                 table->FieldTextByName("v");
             }}) {
        EXPECT_EQ(MessageOf<ESQLiteException>(read), "Table is at End of File");
    }
}

TEST_F(SQLiteTableTest, EmptyResultHasNoColumns)
{
    TSQLiteDatabase& db = Open("CREATE TABLE options (Option TEXT, Value TEXT);");
    const auto table = db.QueryTable("SELECT * FROM options WHERE Option = \"EuroIndex\";");
    EXPECT_EQ(table->RowCount(), 0);
    EXPECT_EQ(table->ColumnCount(), 0);
    EXPECT_TRUE(table->AtEnd());
    EXPECT_FALSE(table->Next());
    EXPECT_EQ(MessageOf<ESQLiteException>([&] { table->FieldTextByName("Value"); }),
              "Field Value Not found. Empty dataset");
}

TEST_F(SQLiteTableTest, ColumnNamesMatchWithoutRegardToCaseAndFirstDuplicateWins)
{
    const std::string price = Cp("Цена");
    TSQLiteDatabase& db = Open("CREATE TABLE t (SKU TEXT, " + price + " REAL, " + Cp("ёлка") +
                               " TEXT); INSERT INTO t VALUES ('A-1', 2.5, 'tree');");
    const auto table =
        db.QueryTable("SELECT SKU, " + price + ", " + Cp("ёлка") + ", 'second' AS sku FROM t");
    EXPECT_EQ(table->ColumnNames()[1], Cp("ЦЕНА"));
    EXPECT_EQ(table->ColumnIndex("sku"), 0);
    EXPECT_EQ(table->FieldTextByName("Sku"), "A-1");
    EXPECT_EQ(table->ColumnIndex(Cp("цЕНа")), 1);
    EXPECT_EQ(table->ColumnIndex(Cp("ЁЛКА")), 2);
    EXPECT_EQ(MessageOf<ESQLiteException>([&] { table->ColumnIndex("Image"); }),
              "Field not found in dataset: Image");
}

TEST(UpperCase, Windows1251LettersHaveTheirCapitals)
{
    const auto upper = [](std::string_view utf8) {
        TSQLiteDatabase db(":memory:");
        return Cp1251ToUtf8(db.QueryTable("SELECT 1 AS \"" + Cp(utf8) + "\"")->ColumnNames()[0]);
    };
    EXPECT_EQ(upper("abcxyz"), "ABCXYZ");
    EXPECT_EQ(upper("абвгдежзийклмнопрстуфхцчшщъыьэюя"), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    EXPECT_EQ(upper("ёђѓљњќћџўјґєїіѕ"), "ЁЂЃЉЊЌЋЏЎЈҐЄЇІЅ");
    EXPECT_EQ(upper("№«»µ_1"), "№«»µ_1");
}

TEST_F(SQLiteTableTest, TableOutlivesItsDatabase)
{
    TSQLiteDatabase& db = Open("CREATE TABLE t (s TEXT); INSERT INTO t VALUES ('kept');");
    const auto table = db.QueryTable("SELECT s FROM t");
    m_db.reset();
    EXPECT_EQ(table->FieldText(0), "kept");
}

TEST_F(SQLiteTableTest, LargeResultReadsEveryCell)
{
    TSQLiteDatabase& db =
        Open("CREATE TABLE t (n INTEGER, s TEXT, r REAL);"
             "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 20000)"
             " INSERT INTO t SELECT x, 'name number ' || x, x / 4.0 FROM c;");
    const auto table = db.QueryTable("SELECT n, s, r FROM t ORDER BY n");
    ASSERT_EQ(table->RowCount(), 20000);
    for (int row = 1; !table->AtEnd(); ++row, table->Next()) {
        if (table->FieldInt64(0) != row ||
            table->FieldText(1) != "name number " + std::to_string(row) ||
            table->FieldDouble(2) != row / 4.0) {
            FAIL() << "row " << row;
        }
    }
}

} // namespace
