#pragma once

#include <QString>
#include <filesystem>
#include <string>

struct ExportTable;

// A CSV field, quoted when it holds ';', '"', a line break or blanks at an
// end, with its quotes doubled.
QString CsvField(const QString& text);

// What a Russian spreadsheet opens correctly with a double click: UTF-8 with
// a byte-order mark, ';' between fields, lines ended by CR LF.
std::string CsvExportText(const ExportTable& table);

void WriteCsvExport(const std::filesystem::path& file, const ExportTable& table);
