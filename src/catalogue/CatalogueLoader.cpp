#include "catalogue/CatalogueLoader.h"

#include "app/AppState.h"
#include "app/Cp1251.h"
#include "app/NumberFormat.h"
#include "catalogue/NameFilter.h"
#include "catalogue/SQLiteAccess.h"

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

void ReadOptions(TSQLiteDatabase& database, AppState& state, const TFormatSettings& dotFormat)
{
    state.DBTimeStamp =
        database.QueryTable("SELECT * FROM options WHERE Option = \"DBTimeStamp\";")
            ->FieldTextByName("Value");
    const std::string euroIndex =
        database.QueryTable("SELECT * FROM options WHERE Option = \"EuroIndex\";")
            ->FieldTextByName("Value");
    state.EuroIndex = StrToFloat(euroIndex, dotFormat);
    // Formed like every other product of the program: in extended precision, rounded once.
    state.PriceFactor = ExtendedProduct(state.EuroRate, state.EuroIndex);
}

// Numeric columns come back as text in the locale's notation and are read
// back with the same separator. With a name pattern, rows whose name does not
// match it byte by byte are passed over.
std::vector<CatalogueEntry> ReadProducts(TSQLiteTable& table, const std::string* namePattern)
{
    const TFormatSettings& format = SystemFormat();
    std::vector<CatalogueEntry> entries;
    entries.reserve(static_cast<std::size_t>(table.RowCount()));
    for (; !table.AtEnd(); table.Next()) {
        const std::string sku = table.FieldTextByName("SKU");
        const std::string name = table.FieldTextByName("Name");
        if (namePattern != nullptr && !LikeMatches(name, *namePattern))
            continue;
        CatalogueEntry& entry = entries.emplace_back();
        entry.Number = static_cast<int32_t>(entries.size());
        entry.SKU.Assign(sku);
        entry.Name.Assign(name);
        entry.Price = StrToFloat(table.FieldTextByName("Price"), format);
        entry.MinQuantity = StrToInt(table.FieldTextByName("MinQuantity"));
        entry.Packing = StrToInt(table.FieldTextByName("Packing"));
        entry.Volume = StrToFloat(table.FieldTextByName("Volume"), format);
        entry.Weight = StrToFloat(table.FieldTextByName("Weight"), format);
        entry.Image.Assign(table.FieldTextByName("Image"));
    }
    return entries;
}

} // namespace

std::string CatalogueQuery(std::string_view filter)
{
    const std::string clean = CleanNameFilter(filter);
    if (ListsWholeCatalogue(clean))
        return "SELECT * FROM catalogue ORDER BY SKU ASC";
    return "SELECT * FROM catalogue WHERE (Name LIKE \"%" + clean + "%\") ORDER BY SKU ASC";
}

void LoadCatalogueData(AppState& state, const std::string& filter, const TFormatSettings& dotFormat,
                       const std::function<void()>& onOptionsError)
{
    const std::unique_ptr<TSQLiteDatabase> database = OpenCatalogue(state.DBPath);

    try {
        ReadOptions(*database, state, dotFormat);
    } catch (const std::exception&) {
        if (onOptionsError)
            onOptionsError();
    }

    // Let go before the products are read, so a failing row leaves an empty
    // catalogue and the old and new catalogues never take memory together.
    state.CatalogueEntries = {};
    state.CatalogueCount = 0;

    if (!database->HasTable("catalogue"))
        return;
    const std::string clean = CleanNameFilter(filter);
    const std::string pattern = "%" + clean + "%";
    std::vector<CatalogueEntry> entries =
        ReadProducts(*database->QueryTable(CatalogueQuery(filter)),
                     ListsWholeCatalogue(clean) ? nullptr : &pattern);
    state.CatalogueCount = static_cast<int32_t>(entries.size());
    state.CatalogueEntries = std::move(entries);
}
