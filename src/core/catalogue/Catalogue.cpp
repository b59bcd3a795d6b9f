#include "core/catalogue/Catalogue.h"

#include "core/catalogue/ArticleSearch.h"
#include "core/catalogue/CatalogueLoader.h"

const CatalogueEntry* Catalogue::entry(int32_t index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return &m_entries[static_cast<std::size_t>(index)];
}

int32_t Catalogue::findArticle(std::string_view text) const
{
    return FindArticle(m_entries, count(), text);
}

void Catalogue::load(const std::string& filter, Prices& prices, const TFormatSettings& dotFormat,
                     const TFormatSettings& systemFormat,
                     const std::function<void()>& onOptionsError)
{
    LoadCatalogueData(*this, prices, filter, dotFormat, systemFormat, onOptionsError);
}

void Catalogue::reload(const std::string& filter, Prices& prices, const TFormatSettings& dotFormat,
                       const TFormatSettings& systemFormat,
                       const std::function<void()>& onOptionsError,
                       const std::function<void()>& show)
{
    if (m_databasePath.empty()) {
        clear();
        show();
        return;
    }
    try {
        load(filter, prices, dotFormat, systemFormat, onOptionsError);
    } catch (...) {
        show();
        throw;
    }
    show();
}
