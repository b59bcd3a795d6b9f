#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Writes the catalogue database anew: table options (DBTimeStamp as given,
// EuroIndex "1.005") and table catalogue with `productCount` products of the
// assortment for `seed`, texts in Windows-1251.
void WriteDemoCatalogue(const std::filesystem::path& file, int productCount, uint64_t seed,
                        const std::string& timeStamp);
