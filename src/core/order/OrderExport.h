#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

class Order;
struct CustomerDetails;
struct TFormatSettings;

// The order as the wholesaler's spreadsheet gets it: a few lines about the
// order and the customer, then one row per order line and a totals row.

// The export dialog's filters (UTF-8), "description|pattern".
inline constexpr char kExportXlsxFilter[] = "Книга Excel (*.xlsx)|*.xlsx";
inline constexpr char kExportCsvFilter[] = "CSV для Excel (*.csv)|*.csv";

// The table's column headers (UTF-8).
inline constexpr std::array<const char*, 8> kExportColumns = {
    "#", "Артикул", "Наименование", "Цена, руб.", "Кол-во", "Сумма, руб.", "Объём, м³", "Вес, кг"};
// Written in the first column of the totals row (UTF-8).
inline constexpr char kExportTotalsCaption[] = "Итого:";

// One order line. Every amount is the two-decimal value the window shows,
// so the spreadsheet holds what the user saw.
struct ExportLine
{
    int32_t number = 0; // 1-based
    QString sku;
    QString name;
    double price = 0; // roubles per piece
    int32_t quantity = 0;
    double sum = 0;    // roubles, as the window adds it up
    double volume = 0; // shipping volume in cubic metres, packing included, as in the total
    double weight = 0; // kilograms
};

struct ExportTable
{
    QStringList heading; // the date, the customer's details, the rate
    std::vector<ExportLine> lines;
    // Equal to the totals under the order grid.
    double money = 0;
    double volume = 0;
    double weight = 0;
};

// The message of a failed export (UTF-8): %1 is the file, %2 the reason.
inline constexpr char kCannotExport[] = "Не удалось экспортировать заказ в файл «%1»: %2";

ExportTable BuildExportTable(const Order& order, double priceFactor,
                             const CustomerDetails& customer, const QDateTime& moment,
                             const TFormatSettings& format);

// The cells of a line and of the totals row as a Russian spreadsheet shows
// them: amounts with two decimals and a decimal comma.
QStringList ExportLineTexts(const ExportLine& line);
QStringList ExportTotalsTexts(const ExportTable& table);

// Writes the table as a CSV file when `file` ends in ".csv" (any case),
// otherwise as an Excel workbook. The file is replaced as a whole; a failure
// leaves the previous one as it was and raises EOrderFileError.
void WriteOrderExport(const std::filesystem::path& file, const ExportTable& table);
