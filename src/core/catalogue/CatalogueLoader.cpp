#include "core/catalogue/CatalogueLoader.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/FreeMemory.h"
#include "core/catalogue/NameFilter.h"
#include "core/catalogue/Prices.h"
#include "core/sqlite/SQLiteAccess.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The path is kept in Windows-1251, the file system speaks UTF-8; an open
// failure still names the path as the user typed it.
std::unique_ptr<TSQLiteDatabase> OpenCatalogue(const std::string& dbPath)
{
    const std::string fileName = Cp1251ToUtf8(dbPath);
    try {
        return std::make_unique<TSQLiteDatabase>(fileName);
    } catch (const ESQLiteException& error) {
        std::string message = error.what();
        const std::string quoted = "\"" + fileName + "\"";
        if (const auto at = message.find(quoted); at != std::string::npos)
            message.replace(at, quoted.size(), "\"" + dbPath + "\"");
        throw ESQLiteException(message);
    }
}

void ReadOptions(TSQLiteDatabase& database, Catalogue& catalogue, Prices& prices,
                 const TFormatSettings& dotFormat)
{
    catalogue.setTimeStamp(
        database.QueryTable("SELECT * FROM options WHERE Option = \"DBTimeStamp\";")
            ->FieldTextByName("Value"));
    const std::string euroIndex =
        database.QueryTable("SELECT * FROM options WHERE Option = \"EuroIndex\";")
            ->FieldTextByName("Value");
    prices.setEuroIndex(StrToFloat(euroIndex, dotFormat));
    prices.recomputePriceFactor();
}

// The product columns in the order a row reads them.
enum ProductColumn
{
    kSKU,
    kName,
    kPrice,
    kMinQuantity,
    kPacking,
    kVolume,
    kWeight,
    kImage,
    kProductColumns
};

constexpr const char* kColumnNames[kProductColumns] = {"SKU",     "Name",   "Price",  "MinQuantity",
                                                       "Packing", "Volume", "Weight", "Image"};

// Reads the current row's product fields. Numeric columns reach the
// program as text in the locale's notation and are read back with the same
// separator; the shortcuts below give exactly the values of that round trip
// without writing and parsing text for every cell.
class ProductReader
{
public:
    ProductReader(const TSQLiteTable& table, const TFormatSettings& systemFormat)
        : m_table(table), m_format(systemFormat)
    {
        m_index.fill(-1);
    }

    std::string Text(ProductColumn column) const { return m_table.FieldText(Index(column)); }

    double Float(ProductColumn column) const
    {
        const int index = Index(column);
        const ColumnKind kind = m_table.KindOf(index);
        if (kind == ColumnKind::Integer) // an integer's digits read back as the nearest double
            return static_cast<double>(m_table.FieldInt64(index));
        double value = 0;
        if (kind == ColumnKind::Float && FifteenDigits(m_table.FieldDouble(index), value))
            return value;
        return StrToFloat(m_table.FieldText(index), m_format);
    }

    int32_t Integer(ProductColumn column) const
    {
        const int index = Index(column);
        if (m_table.KindOf(index) == ColumnKind::Integer) {
            const int64_t value = m_table.FieldInt64(index);
            if (value >= std::numeric_limits<int32_t>::min() &&
                value <= std::numeric_limits<int32_t>::max())
                return static_cast<int32_t>(value);
        }
        return StrToInt(m_table.FieldText(index)); // raises for what does not fit
    }

private:
    // Found on first use, so a missing column is reported where a lookup in
    // every row would report it: after the fields read before it.
    int Index(ProductColumn column) const
    {
        int& index = m_index[column];
        if (index < 0)
            index = m_table.ColumnIndex(kColumnNames[column]);
        return index;
    }

    // The value the text form gives: written with 15 significant digits and
    // read back. Values whose text would not read back (infinities, overflow)
    // are left to the text path, which raises the conversion error.
    bool FifteenDigits(double stored, double& value) const
    {
        if (!std::isfinite(stored) ||
            (m_format.DecimalSeparator != '.' && m_format.DecimalSeparator != ','))
            return false;
        if (stored == 0) { // written as "0", which drops the sign
            value = 0;
            return true;
        }
        char text[32];
        const auto written =
            std::to_chars(std::begin(text), std::end(text), stored, std::chars_format::general, 15);
        if (written.ec != std::errc())
            return false;
        const auto read = std::from_chars(text, written.ptr, value);
        return read.ec == std::errc() && read.ptr == written.ptr && std::isfinite(value);
    }

    const TSQLiteTable& m_table;
    const TFormatSettings& m_format;
    mutable std::array<int, kProductColumns> m_index;
};

// With a name filter, rows whose name does not match are passed over before
// any other field is read or converted.
std::vector<CatalogueEntry> ReadProducts(TSQLiteTable& table, const NameFilter* nameFilter,
                                         const TFormatSettings& systemFormat)
{
    const ProductReader row(table, systemFormat);
    std::vector<CatalogueEntry> entries;
    if (nameFilter == nullptr)
        entries.reserve(static_cast<std::size_t>(table.RowCount()));
    for (; !table.AtEnd(); table.Next()) {
        const std::string name = row.Text(kName);
        if (nameFilter != nullptr && !nameFilter->Matches(name))
            continue;
        CatalogueEntry& entry = entries.emplace_back();
        entry.Number = static_cast<int32_t>(entries.size());
        entry.SKU.Assign(row.Text(kSKU));
        entry.Name.Assign(name);
        entry.Price = row.Float(kPrice);
        entry.MinQuantity = row.Integer(kMinQuantity);
        entry.Packing = row.Integer(kPacking);
        entry.Volume = row.Float(kVolume);
        entry.Weight = row.Float(kWeight);
        entry.Image.Assign(row.Text(kImage));
    }
    // A filtered list grew by doubling; it keeps only what it holds.
    if (nameFilter != nullptr)
        entries.shrink_to_fit();
    return entries;
}

} // namespace

std::string CatalogueQuery(std::string_view filter)
{
    const std::vector<std::string> patterns = NameFilter(filter).DatabasePatterns();
    if (patterns.empty())
        return "SELECT * FROM catalogue ORDER BY SKU ASC";
    std::string condition;
    for (const std::string& pattern : patterns)
        condition += (condition.empty() ? "Name LIKE \"" : " AND Name LIKE \"") + pattern + "\"";
    return "SELECT * FROM catalogue WHERE (" + condition + ") ORDER BY SKU ASC";
}

std::vector<CatalogueEntry> LoadAllProducts(const std::string& databasePath,
                                            const TFormatSettings& systemFormat)
{
    const std::unique_ptr<TSQLiteDatabase> database = OpenCatalogue(databasePath);
    if (!database->HasTable("catalogue"))
        return {};
    return ReadProducts(*database->QueryTable(CatalogueQuery("")), nullptr, systemFormat);
}

void LoadCatalogueData(Catalogue& catalogue, Prices& prices, const std::string& filter,
                       const TFormatSettings& dotFormat, const TFormatSettings& systemFormat,
                       const std::function<void()>& onOptionsError)
{
    std::unique_ptr<TSQLiteDatabase> database = OpenCatalogue(catalogue.databasePath());
    // Float cells read as text carry the locale's separator, as the product
    // columns are parsed with it.
    database->NumberFormat = systemFormat;

    try {
        ReadOptions(*database, catalogue, prices, dotFormat);
    } catch (const std::exception&) {
        if (onOptionsError)
            onOptionsError();
    }

    // Let go before the products are read, so a failing row leaves an empty
    // catalogue and the old and new catalogues never take memory together.
    catalogue.clear();

    if (!database->HasTable("catalogue"))
        return;
    const NameFilter nameFilter(filter);
    catalogue.replaceEntries(ReadProducts(*database->QueryTable(CatalogueQuery(filter)),
                                          nameFilter.ListsWholeCatalogue() ? nullptr : &nameFilter,
                                          systemFormat));
    // The query's rows and the file's page cache are gone with the
    // connection; only the catalogue itself stays.
    database.reset();
    ReturnFreeHeapToSystem();
}
