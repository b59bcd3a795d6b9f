#pragma once

#include <filesystem>

struct ExportTable;

// One sheet "Заказ": the heading lines, the column headers, the lines and
// the totals row, amounts stored as numbers shown with two decimals, every
// column as wide as its longest text. Raises EOrderFileError on failure.
void WriteXlsxExport(const std::filesystem::path& file, const ExportTable& table);
