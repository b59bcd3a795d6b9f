#pragma once

#include <functional>
#include <string>
#include <string_view>

struct AppState;
struct TFormatSettings;

// The product query for a name filter: double quotes are dropped, and an
// empty filter or "*" lists the whole catalogue. The filter's other
// characters reach LIKE unchanged, so "%" and "_" act as wildcards.
// The rows it returns are checked again byte by byte (see NameFilter.h).
std::string CatalogueQuery(std::string_view filter);

// Reads the catalogue file at state.DBPath into the shared state: the options
// DBTimeStamp and EuroIndex (read with dotFormat), PriceFactor, and the
// products matching the filter. When the options cannot be read,
// onOptionsError is called at once (the caller shows its message) and the
// products are read all the same; values not read keep their previous state.
//
// A file that cannot be opened or a product row that does not convert raises
// the error; the catalogue then keeps what it held before this load, so it
// always matches the grids, which the caller refills only after a success.
void LoadCatalogueData(AppState& state, const std::string& filter, const TFormatSettings& dotFormat,
                       const std::function<void()>& onOptionsError);
