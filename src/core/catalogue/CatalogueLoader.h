#pragma once

#include "core/order/OrderItem.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Catalogue;
class Prices;
struct TFormatSettings;

// The product query for a name filter: the whole catalogue, or the rows
// whose name matches the filter's database pattern (see NameFilter.h). The
// rows it returns are checked again with the filter itself.
std::string CatalogueQuery(std::string_view filter);

// Every product of the catalogue file at `databasePath` (Windows-1251),
// whatever filter the catalogue in view has, read as a load reads them; the
// options are not read. Raises what a load raises for the file and its rows.
std::vector<CatalogueEntry> LoadAllProducts(const std::string& databasePath,
                                            const TFormatSettings& systemFormat);

// Reads the catalogue file at catalogue.databasePath(): the options
// DBTimeStamp into the catalogue's time stamp and EuroIndex (read with
// dotFormat) into `prices`, whose price factor is then recomputed, and the
// products matching the filter, whose numeric columns are read with
// systemFormat. When the options cannot be read,
// onOptionsError is called at once (the caller shows its message) and the
// products are read all the same; values not read keep their previous state.
//
// A file that cannot be opened raises the error before anything changes.
// Once the options are read the previous catalogue is let go: a failure while
// the products are read (a query the file refuses, a missing column, a number
// that does not convert) raises its error and leaves an empty catalogue,
// never a part of this load nor the previous one, so that the grids, refilled
// by the caller after any failure, show no stale rows. The options keep what
// this load gave them.
void LoadCatalogueData(Catalogue& catalogue, Prices& prices, const std::string& filter,
                       const TFormatSettings& dotFormat, const TFormatSettings& systemFormat,
                       const std::function<void()>& onOptionsError);
