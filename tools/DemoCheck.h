#pragma once

#include <filesystem>

class QDateTime;
class QLocale;

// Reads the catalogue in `folder` back through the program's own loader under
// `locale`'s number format and checks what the generator promises: the
// options read (the time stamp as `stamp` under `locale`, EuroIndex 1.005),
// every product converts, article codes are unique, prices, quantities and
// volumes lie in their ranges and each product names one to four pictures
// that exist in img/. Raises std::runtime_error naming the first fault.
void CheckDemoCatalogue(const std::filesystem::path& folder, int productCount,
                        const QLocale& locale, const QDateTime& stamp);
