#pragma once

#include "core/order/OrderItem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class Prices;
struct TFormatSettings;

// The database-file dialog's filter (UTF-8), "description|pattern".
inline constexpr char kCatalogueFileFilter[] = "Файлы баз данных (*.db)|*.db";
// Shown, captioned with the application title, when a catalogue's options
// cannot be read; the products are loaded all the same.
inline constexpr char kCatalogueOptionsError[] = "Ошибка в БД";

// The products as last loaded, where they came from and where newer ones are
// announced. Texts and paths are Windows-1251 bytes, as the settings keep them.
class Catalogue
{
public:
    const std::vector<CatalogueEntry>& entries() const { return m_entries; }
    int32_t count() const { return static_cast<int32_t>(m_entries.size()); }
    // The entry in 0-based position `index`, or nullptr outside the catalogue.
    const CatalogueEntry* entry(int32_t index) const;
    // The position of the first product whose article code contains `text`
    // (Latin letters in any case); -1 when none does.
    int32_t findArticle(std::string_view text) const;

    const std::string& databasePath() const { return m_databasePath; }
    void setDatabasePath(std::string path) { m_databasePath = std::move(path); }
    // Ends with "/" when the program derived it; a hand-typed one is kept as is.
    const std::string& pictureFolder() const { return m_pictureFolder; }
    void setPictureFolder(std::string folder) { m_pictureFolder = std::move(folder); }
    // The updates page of the maker's site, as the settings name it.
    const std::string& updatesUrl() const { return m_updatesUrl; }
    void setUpdatesUrl(std::string url) { m_updatesUrl = std::move(url); }
    // The loaded catalogue's date and time, verbatim; empty before a load.
    const std::string& timeStamp() const { return m_timeStamp; }
    void setTimeStamp(std::string stamp) { m_timeStamp = std::move(stamp); }

    // No products: what is shown while no catalogue file is named.
    void clear() { std::vector<CatalogueEntry>().swap(m_entries); }
    void replaceEntries(std::vector<CatalogueEntry> entries) { m_entries = std::move(entries); }

    // Loads the products matching `filter` from databasePath(), with the
    // options into the time stamp and `prices` (see LoadCatalogueData).
    void load(const std::string& filter, Prices& prices, const TFormatSettings& dotFormat,
              const TFormatSettings& systemFormat, const std::function<void()>& onOptionsError);
    // A load as the commands run it: with no file named the catalogue is
    // empty; `show` runs after the load, also after a failed one before its
    // error goes on, since what is shown reads the catalogue directly.
    void reload(const std::string& filter, Prices& prices, const TFormatSettings& dotFormat,
                const TFormatSettings& systemFormat, const std::function<void()>& onOptionsError,
                const std::function<void()>& show);

private:
    std::vector<CatalogueEntry> m_entries;
    std::string m_databasePath;
    std::string m_pictureFolder;
    std::string m_updatesUrl;
    std::string m_timeStamp;
};
