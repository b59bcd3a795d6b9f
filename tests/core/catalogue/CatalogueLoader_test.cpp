#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/LikePattern.h"
#include "core/catalogue/Prices.h"
#include "core/sqlite/SQLiteAccess.h"
#include "core/sqlite/SqlScript.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "support/TempDir.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

const char* const kOptions = "CREATE TABLE options (Option TEXT, Value TEXT);"
                             "INSERT INTO options VALUES ('DBTimeStamp', '01.12.2026 10:00:00');"
                             "INSERT INTO options VALUES ('EuroIndex', '1.005');";

const char* const kCatalogueTable =
    "CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price REAL, MinQuantity INTEGER, "
    "Packing INTEGER, Volume REAL, Weight REAL, Image TEXT);";

// One catalogue row with the given SKU and name and plain numbers.
std::string Product(const std::string& sku, const std::string& name)
{
    std::string quotedName;
    for (char c : name)
        quotedName += c == '\'' ? std::string("''") : std::string(1, c);
    return "INSERT INTO catalogue VALUES ('" + sku + "', '" + quotedName +
           "', 2.5, 10, 100, 1.25, 0.5, 'a.jpg');";
}

class CatalogueLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_catalogue.setDatabasePath(m_dir.File("telvarin.db").string());
        m_prices.setEuroRate(100);
    }

    void Write(const std::string& script) { RunSqlScript(m_dir.File("telvarin.db"), script); }

    void Load(const std::string& filter = "")
    {
        LoadCatalogueData(m_catalogue, m_prices, filter, MakeDotNumberFormat(m_format), m_format,
                          [this] { ++m_optionsErrors; });
    }

    std::vector<std::string> SKUs() const
    {
        std::vector<std::string> skus;
        for (const CatalogueEntry& entry : m_catalogue.entries())
            skus.push_back(entry.SKU.Str());
        return skus;
    }

    TempDir m_dir;
    TFormatSettings m_format; // the user's conventions; "." unless a test says otherwise
    Catalogue m_catalogue;
    Prices m_prices;
    int m_optionsErrors = 0;
};

TEST_F(CatalogueLoaderTest, ReadsOptionsAndProductsInArticleOrder)
{
    Write(std::string(kOptions) + kCatalogueTable +
          "INSERT INTO catalogue VALUES ('ZZ-2', 'Mug', 3.75, 12, 144, 0.8, 0.35, 'm.jpg;n.jpg');" +
          Product("AA-1", Cp("Ручка")));
    Load();
    EXPECT_EQ(m_optionsErrors, 0);
    EXPECT_EQ(m_catalogue.timeStamp(), "01.12.2026 10:00:00");
    EXPECT_EQ(m_prices.euroIndex(), 1.005);
    EXPECT_EQ(m_prices.priceFactor(), ExtendedProduct(100, 1.005));
    ASSERT_EQ(m_catalogue.count(), 2);
    ASSERT_EQ(m_catalogue.entries().size(), 2u);
    EXPECT_EQ(SKUs(), (std::vector<std::string>{"AA-1", "ZZ-2"}));
    const CatalogueEntry& mug = m_catalogue.entries()[1];
    EXPECT_EQ(mug.Number, 2);
    EXPECT_EQ(mug.Name.Str(), "Mug");
    EXPECT_EQ(mug.Price, 3.75);
    EXPECT_EQ(mug.MinQuantity, 12);
    EXPECT_EQ(mug.Packing, 144);
    EXPECT_EQ(mug.Volume, 0.8);
    EXPECT_EQ(mug.Weight, 0.35);
    EXPECT_EQ(mug.Image.Str(), "m.jpg;n.jpg");
    EXPECT_EQ(m_catalogue.entries()[0].Name.Str(), Cp("Ручка"));
}

// The database sees only the filter's ASCII characters; what it cannot
// judge becomes "%", and a filter without ASCII reads the whole table.
TEST(CatalogueQuery, CarriesWhatTheDatabaseCanJudgeOfTheFilter)
{
    const std::string whole = "SELECT * FROM catalogue ORDER BY SKU ASC";
    const auto like = [](const std::string& pattern) {
        return "SELECT * FROM catalogue WHERE (Name LIKE \"" + pattern + "\") ORDER BY SKU ASC";
    };
    const struct
    {
        std::string filter;
        std::string sql;
    } cases[] = {{"", whole},
                 {"\"*\"", whole},
                 {"%", whole},
                 {Cp("Свеча"), whole},
                 {"**", like("%**%")},
                 {"ab\"c", like("%abc%")},
                 {" 5_%", like("%5%")},
                 {Cp("Шар 10 см"), like("%10%")},
                 {"red Pen  red", like("%red%\" AND Name LIKE \"%Pen%")}};
    for (const auto& c : cases)
        EXPECT_EQ(CatalogueQuery(c.filter), c.sql) << Cp1251ToUtf8(c.filter);
}

TEST_F(CatalogueLoaderTest, FilterMatchesNamesByTheLikeRule)
{
    Write(std::string(kOptions) + kCatalogueTable + Product("C1", Cp("Кружка синяя")) +
          Product("C2", Cp("кружка белая")) + Product("C3", Cp("Ручка «Лев»")) +
          Product("C4", Cp("Зелёный зонт")) + Product("C5", Cp("Шар ёлочный, 8 см")) +
          Product("C6", Cp("Серёжки")) + Product("C7", Cp("Шар «Ёлка»")) +
          Product("C8", Cp("СВЕЧА Ў")) + Product("L1", "Pen blue") + Product("L2", "PEN red") +
          Product("L3", "Box 100% cotton") + Product("L4", "Box_large") +
          Product("L5", "O'Neil mug") + Product("L6", "abc") + Product("L7", "Boxed"));
    const struct
    {
        std::string filter;
        std::vector<std::string> skus;
    } cases[] = {
        {"",
         {"C1", "C2", "C3", "C4", "C5", "C6", "C7", "C8", "L1", "L2", "L3", "L4", "L5", "L6",
          "L7"}},
        {"*",
         {"C1", "C2", "C3", "C4", "C5", "C6", "C7", "C8", "L1", "L2", "L3", "L4", "L5", "L6",
          "L7"}},
        {"ab\"c", {"L6"}},
        {"pen", {"L1", "L2"}},
        {"O'Neil", {"L5"}},
        {"Box%", {"L3", "L4", "L7"}},
        {"0% c", {"L3"}},
        {"Box_l", {"L4"}},
        {"B_x_", {"L3", "L4", "L7"}},
        {Cp("Кружка"), {"C1", "C2"}},
        {Cp("ужк"), {"C1", "C2"}},
        {Cp("Ручка"), {"C3"}},
        {Cp("лёный"), {"C4"}},
        {Cp("«Лев»"), {"C3"}},
        {Cp("зонт"), {"C4"}},
        {Cp("ё"), {"C2", "C3", "C4", "C5", "C6", "C7", "C8"}},
        {Cp("ёжки"), {"C6"}},
        {Cp("»"), {"C3", "C7"}},
        {Cp("свеча ў"), {"C8"}},
        {Cp("ШАР_Ё"), {"C5"}},
        {Cp("й__8"), {"C5"}},
        {Cp("й_8"), {}},
        {Cp("е"), {"C2", "C3", "C4", "C5", "C6", "C7", "C8"}},
        {Cp("елочный"), {"C5"}},
        {Cp("белая кружка"), {"C2"}},
        {Cp(" шар  ЁЛ "), {"C5", "C7"}},
        {"pen\tRED", {"L2"}},
        {Cp("кружка зонт"), {}},
        {"nothing", {}},
    };
    for (const auto& c : cases) {
        Load(c.filter);
        EXPECT_EQ(SKUs(), c.skus) << Cp1251ToUtf8(c.filter);
        // No room kept beyond the products: a catalogue can be large.
        EXPECT_EQ(m_catalogue.entries().capacity(), c.skus.size()) << Cp1251ToUtf8(c.filter);
        for (int i = 0; i < m_catalogue.count(); ++i)
            EXPECT_EQ(m_catalogue.entries()[static_cast<std::size_t>(i)].Number, i + 1);
    }
}

// Random names and filters over the letters that SQLite's UTF-8 reading of
// Windows-1251 gets wrong, against LIKE worked out word by word on Unicode
// text: the database's part of the filter must never lose a product.
TEST_F(CatalogueLoaderTest, FilterFindsWhatLikeOnUnicodeFinds)
{
    const char* const letters[] = {"a", "B", " ", "'", "р", "Р", "ё", "Ё", "е",
                                   "»", "«", "Ў", "ў", "Ђ", "ж", "%", "_"};
    std::mt19937 random(12);
    const auto text = [&](int minLength, int maxLength) {
        std::string utf8;
        const int length = std::uniform_int_distribution<int>(minLength, maxLength)(random);
        for (int i = 0; i < length; ++i)
            utf8 += letters[random() % std::size(letters)];
        return utf8;
    };
    std::vector<std::string> names;
    std::string script = std::string(kOptions) + kCatalogueTable;
    for (int i = 0; i < 300; ++i) {
        names.push_back(text(0, 8));
        script += Product(std::to_string(1000 + i), Cp(names.back()));
    }
    Write(script);

    for (int round = 0; round < 100; ++round) {
        const std::string filter = text(1, 4);
        const auto withoutYo = [](QString s) {
            return s.replace(u'ё', u'е').replace(u'Ё', u'е');
        };
        std::vector<QRegularExpression> words;
        for (const QString& word :
             withoutYo(QString::fromUtf8(filter)).split(u' ', Qt::SkipEmptyParts)) {
            QString expression;
            for (const QChar c : word)
                expression += c == u'%'   ? QStringLiteral(".*")
                              : c == u'_' ? QStringLiteral(".")
                                          : QRegularExpression::escape(QString(c));
            words.emplace_back(QStringLiteral("\\A.*") + expression + QStringLiteral(".*\\z"),
                               QRegularExpression::CaseInsensitiveOption |
                                   QRegularExpression::DotMatchesEverythingOption);
        }
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const QString name = withoutYo(QString::fromUtf8(names[i]));
            if (std::all_of(words.begin(), words.end(),
                            [&](const auto& word) { return word.match(name).hasMatch(); }))
                expected.push_back(std::to_string(1000 + i));
        }
        Load(Cp(filter));
        EXPECT_EQ(SKUs(), expected) << filter;
    }
}

// Backtracking, and the letters of the code page beyond Russian (Я я, е ё,
// Ў ў Ѕ ѕ, Ђ ђ Љ љ, and µ, which has no capital there).
TEST(LikePattern, ComparesWindows1251BytesWithoutRegardToCase)
{
    const struct
    {
        const char* text;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"abcabd", "%abd", true},       {"aXbXc", "%a%b%c%", true},     {"ab", "%a%b%c%", false},
        {"abc", "a_", false},           {"\xDF", "\xFF", true},         {"\xE5", "\xB8", false},
        {"\xA1\xBD", "\xA2\xBE", true}, {"\x80\x8A", "\x90\x9A", true}, {"\xB5", "\xB5", true}};
    for (const auto& c : cases)
        EXPECT_EQ(LikePattern(c.pattern, Cp1251CaseFold()).Matches(c.text), c.matches)
            << Cp1251ToUtf8(c.text) << " LIKE " << Cp1251ToUtf8(c.pattern);
}

TEST_F(CatalogueLoaderTest, LongTextsAreCutToTheirFields)
{
    const std::string name(150, 'n');
    const std::string image(300, 'i');
    Write(std::string(kOptions) + kCatalogueTable + "INSERT INTO catalogue VALUES ('" +
          std::string(20, 'S') + "', '" + name + "', 1, 1, 1, 1, 1, '" + image + "');");
    Load();
    ASSERT_EQ(m_catalogue.count(), 1);
    const CatalogueEntry& entry = m_catalogue.entries()[0];
    EXPECT_EQ(entry.SKU.Str(), std::string(14, 'S'));
    EXPECT_EQ(entry.Name.Str(), std::string(100, 'n'));
    EXPECT_EQ(entry.Image.Str(), std::string(255, 'i'));
}

TEST_F(CatalogueLoaderTest, MissingEuroIndexKeepsPriceFactorAndReportsBeforeProducts)
{
    Write("CREATE TABLE options (Option TEXT, Value TEXT);"
          "INSERT INTO options VALUES ('DBTimeStamp', '02.01.2027 09:30:00');" +
          std::string(kCatalogueTable) + Product("A1", "Pen"));
    m_prices = Prices(100, 1.5, 42);
    m_catalogue.replaceEntries(std::vector<CatalogueEntry>(7));
    int countWhenReported = -1;
    LoadCatalogueData(m_catalogue, m_prices, "", MakeDotNumberFormat(m_format), m_format,
                      [&] { countWhenReported = m_catalogue.count(); });
    EXPECT_EQ(countWhenReported, 7);
    EXPECT_EQ(m_catalogue.timeStamp(), "02.01.2027 09:30:00");
    EXPECT_EQ(m_prices.euroIndex(), 1.5);
    EXPECT_EQ(m_prices.priceFactor(), 42);
    EXPECT_EQ(m_catalogue.count(), 1);
}

TEST_F(CatalogueLoaderTest, EuroIndexIsReadWithAPointWhateverTheLocale)
{
    m_format.DecimalSeparator = ',';
    Write(std::string(kOptions) + kCatalogueTable);
    Load();
    EXPECT_EQ(m_optionsErrors, 0);
    EXPECT_EQ(m_prices.euroIndex(), 1.005);

    Write("UPDATE options SET Value = '1,2' WHERE Option = 'EuroIndex';");
    m_prices = Prices(m_prices.euroRate(), m_prices.euroIndex(), 7);
    Load();
    EXPECT_EQ(m_optionsErrors, 1);
    EXPECT_EQ(m_prices.euroIndex(), 1.005);
    EXPECT_EQ(m_prices.priceFactor(), 7);
}

TEST_F(CatalogueLoaderTest, MissingFileInExistingFolderGivesAnEmptyCatalogue)
{
    m_catalogue.replaceEntries(std::vector<CatalogueEntry>(3));
    Load();
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("telvarin.db")));
    EXPECT_EQ(m_optionsErrors, 1);
    EXPECT_EQ(m_catalogue.count(), 0);
    EXPECT_TRUE(m_catalogue.entries().empty());
}

TEST_F(CatalogueLoaderTest, PathIsWindows1251ForTheUserAndUtf8ForTheFileSystem)
{
    RunSqlScript(m_dir.File("каталог.db"),
                 std::string(kOptions) + kCatalogueTable + Product("A1", "Pen"));
    m_catalogue.setDatabasePath(Cp(m_dir.File("каталог.db").string()));
    Load();
    EXPECT_EQ(m_catalogue.count(), 1);

    m_catalogue.setDatabasePath(Cp(m_dir.File("нет/каталог.db").string()));
    EXPECT_EQ(MessageOf<ESQLiteException>([&] { Load(); }),
              "Failed to open database \"" + m_catalogue.databasePath() +
                  "\" : unable to open database file");
    EXPECT_EQ(m_catalogue.count(), 1);
}

// A row that cannot be read ends the load with an empty catalogue, whether
// rows before it converted or not; the options keep what this load read.
TEST_F(CatalogueLoaderTest, RowThatDoesNotConvertRaisesAndLeavesAnEmptyCatalogue)
{
    const std::string untyped =
        "CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price TEXT, "
        "MinQuantity TEXT, Packing INTEGER, Volume REAL, Weight TEXT, "
        "Image TEXT);"
        "INSERT INTO catalogue VALUES ('A', 'good', '1', '1', 1, 1, '1', '');";
    const std::string typed = "CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price REAL, "
                              "MinQuantity INTEGER, Packing REAL, Volume REAL, Weight REAL, "
                              "Image TEXT);";
    const struct
    {
        std::string script;
        const char* message;
        const char* filter = "";
    } cases[] = {
        {untyped + "INSERT INTO catalogue VALUES ('B', 'n', 'abc', '1', 1, 1, '1', '');",
         "'abc' is not a valid floating point value"},
        {untyped + "INSERT INTO catalogue VALUES ('B', 'n', '1', '2.5', 1, 1, '1', '');",
         "'2.5' is not a valid integer value"},
        {untyped + "INSERT INTO catalogue VALUES ('B', 'n', '1', '', 1, 1, '1', '');",
         "'' is not a valid integer value"},
        {untyped + "INSERT INTO catalogue VALUES ('B', 'n', '1', '1', 1, 1, '1,5', '');",
         "'1,5' is not a valid floating point value"},
        {untyped + "INSERT INTO catalogue VALUES ('B', 'n', '1', '3000000000', 1, 1, '1', '');",
         "'3000000000' is not a valid integer value"},
        {typed + "INSERT INTO catalogue VALUES ('B', 'n', 1, 1, 2.5, 1, 1, '');",
         "'2.5' is not a valid integer value"},
        {"CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price REAL, MinQuantity INTEGER, "
         "Packing INTEGER, Volume REAL, Weight REAL);"
         "INSERT INTO catalogue VALUES ('A', 'n', 1, 1, 1, 1, 1);",
         "Field not found in dataset: Image"},
        {"CREATE TABLE catalogue (SKU TEXT, Price REAL);", "no such column: Name", "pen"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(m_dir.File("telvarin.db"));
        Write(std::string(kOptions) + kCatalogueTable + Product("OLD", "kept"));
        Load();
        ASSERT_EQ(m_catalogue.count(), 1);

        Write("UPDATE options SET Value = '03.03.2027 08:00:00' WHERE Option = 'DBTimeStamp';"
              "UPDATE options SET Value = '1.25' WHERE Option = 'EuroIndex';"
              "DROP TABLE catalogue;" +
              c.script);
        const std::string message = MessageOf([&] { Load(c.filter); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(m_catalogue.count(), 0) << c.message;
        EXPECT_TRUE(m_catalogue.entries().empty()) << c.message;
        EXPECT_EQ(m_catalogue.timeStamp(), "03.03.2027 08:00:00");
        EXPECT_EQ(m_prices.euroIndex(), 1.25);
        EXPECT_EQ(m_prices.priceFactor(), ExtendedProduct(100, 1.25));
    }
}

TEST_F(CatalogueLoaderTest, RealColumnsFollowTheLocaleAndTextColumnsMustMatchIt)
{
    m_format.DecimalSeparator = ',';
    Write(std::string(kOptions) +
          "CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price REAL, MinQuantity INTEGER, "
          "Packing INTEGER, Volume VARCHAR(10), Weight DOUBLE, Image TEXT);"
          "INSERT INTO catalogue VALUES ('A', 'n', 12.5, 3, 30, '0,75', 0.125, '');");
    Load();
    ASSERT_EQ(m_catalogue.count(), 1);
    EXPECT_EQ(m_catalogue.entries()[0].Price, 12.5);
    EXPECT_EQ(m_catalogue.entries()[0].Volume, 0.75);
    EXPECT_EQ(m_catalogue.entries()[0].Weight, 0.125);

    Write("UPDATE catalogue SET Volume = '0.75';");
    EXPECT_EQ(MessageOf<EConvertError>([&] { Load(); }),
              "'0.75' is not a valid floating point value");
}

// Numbers reach the entries as if written as text in the locale's notation
// and read back: 15 significant digits, no negative zero, and values whose
// text does not read back raise the conversion error.
TEST_F(CatalogueLoaderTest, NumbersAreTheValuesOfTheirTextForm)
{
    const char* const stored[] = {
        "0.1 + 0.2",
        "1.0 / 3",
        "2.675",
        "-0.0",
        "1e300",
        "5e-324",
        "123456789.123456789",
        "NULL",
        "1.7976931348623157e308",
        "9e999",
    };
    for (const char separator : {'.', ','}) {
        m_format.DecimalSeparator = separator;
        for (const char* value : stored) {
            std::filesystem::remove(m_dir.File("telvarin.db"));
            Write(std::string(kOptions) +
                  "CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price REAL, MinQuantity INTEGER, "
                  "Packing INTEGER, Volume REAL, Weight INTEGER, Image TEXT);"
                  "INSERT INTO catalogue VALUES ('A', 'n', " +
                  value + ", 1, 1, 1, 9007199254740993, '');");
            TSQLiteDatabase database(m_dir.File("telvarin.db").string());
            database.NumberFormat = m_format;
            const auto table = database.QueryTable("SELECT Price FROM catalogue");
            const std::string text = table->FieldText(0);
            double expected = 0;
            if (!TryStrToFloat(text, expected, m_format)) {
                EXPECT_EQ(MessageOf<EConvertError>([&] { Load(); }),
                          "'" + text + "' is not a valid floating point value");
                EXPECT_EQ(m_catalogue.count(), 0);
                continue;
            }
            Load();
            ASSERT_EQ(m_catalogue.count(), 1) << value;
            const CatalogueEntry& entry = m_catalogue.entries()[0];
            EXPECT_EQ(entry.Price, expected) << value << " " << separator;
            EXPECT_FALSE(std::signbit(entry.Price)) << value;
            EXPECT_EQ(entry.Weight, 9007199254740992.0); // the nearest double to its digits
        }
    }
}

TEST_F(CatalogueLoaderTest, IntegerColumnsMustFitAQuantity)
{
    Write(std::string(kOptions) + kCatalogueTable +
          "INSERT INTO catalogue VALUES ('A', 'n', 1, -2147483648, 2147483647, 1, 1, '');");
    Load();
    ASSERT_EQ(m_catalogue.count(), 1);
    EXPECT_EQ(m_catalogue.entries()[0].MinQuantity, -2147483648);
    EXPECT_EQ(m_catalogue.entries()[0].Packing, 2147483647);

    Write("UPDATE catalogue SET Packing = 2147483648;");
    EXPECT_EQ(MessageOf<EConvertError>([&] { Load(); }),
              "'2147483648' is not a valid integer value");
    Write("UPDATE catalogue SET Packing = NULL, MinQuantity = NULL;");
    Load();
    ASSERT_EQ(m_catalogue.count(), 1);
    EXPECT_EQ(m_catalogue.entries()[0].Packing, 0);
}

TEST_F(CatalogueLoaderTest, NoCatalogueTableGivesAnEmptyCatalogue)
{
    Write(kOptions);
    m_catalogue.replaceEntries(std::vector<CatalogueEntry>(2));
    Load("pen");
    EXPECT_EQ(m_optionsErrors, 0);
    EXPECT_EQ(m_catalogue.count(), 0);
    EXPECT_TRUE(m_catalogue.entries().empty());
}

// The codes of a pasted list are looked up in the whole file, whatever the
// filter, and without touching the options or the catalogue in view.
TEST_F(CatalogueLoaderTest, AllProductsAreReadWithoutTheOptions)
{
    Write(std::string(kCatalogueTable) + Product("B", "Pen") + Product("A", Cp("Кружка")));
    const std::vector<CatalogueEntry> all = LoadAllProducts(m_catalogue.databasePath(), m_format);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].SKU.Str(), "A");
    EXPECT_EQ(all[1].Number, 2);
    EXPECT_EQ(all[1].Packing, 100);
    Write("DROP TABLE catalogue;");
    EXPECT_TRUE(LoadAllProducts(m_catalogue.databasePath(), m_format).empty());
}

} // namespace
