#include "core/order/OrderExport.h"

#include "core/order/CsvExport.h"
#include "core/order/CustomerDetails.h"
#include "core/order/Order.h"
#include "core/order/OrderDocument.h"
#include "core/order/XlsxExport.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <algorithm>
#include <cctype>

namespace {

// The value of a two-decimal text of the money format.
double Shown(double value, const TFormatSettings& format)
{
    double shown = 0;
    TryStrToFloat(FormatMoney(value, format), shown, format);
    return shown;
}

// The number at the start of a total's text ("1234,50 руб.").
double TotalValue(const std::string& text, const TFormatSettings& format)
{
    double value = 0;
    TryStrToFloat(text.substr(0, text.find(' ')), value, format);
    return value;
}

QStringList Heading(const CustomerDetails& customer, double priceFactor, const QDateTime& moment,
                    const TFormatSettings& format)
{
    QStringList heading{FromCp1251(Cp("Заказ от ") + OrderDateStamp(moment, format))};
    if (customer.UserInfoSpecified) {
        const QString company =
            FromCp1251(CompanyTypeWord(customer.CompanyType) + " " + customer.Company).trimmed();
        heading << QStringLiteral("Организация: ") + company
                << QStringLiteral("ИНН: ") + FromCp1251(customer.TIN)
                << QStringLiteral("Телефоны: ") + FromCp1251(customer.Phones)
                << QStringLiteral("Контактное лицо: ") + FromCp1251(customer.ContactPerson)
                << QStringLiteral("Эл. почта: ") + FromCp1251(customer.Email);
    }
    heading << QStringLiteral("Расчетный курс евро: ") +
                   FromCp1251(FormatMoney(priceFactor, format) + Cp(" руб."));
    return heading;
}

QString Amount(double value)
{
    TFormatSettings comma;
    comma.DecimalSeparator = ',';
    return FromCp1251(FormatMoney(value, comma));
}

} // namespace

QStringList ExportLineTexts(const ExportLine& line)
{
    return {
        QString::number(line.number),   line.sku,         line.name,           Amount(line.price),
        QString::number(line.quantity), Amount(line.sum), Amount(line.volume), Amount(line.weight)};
}

QStringList ExportTotalsTexts(const ExportTable& table)
{
    return {QString::fromUtf8(kExportTotalsCaption),
            {},
            {},
            {},
            {},
            Amount(table.money),
            Amount(table.volume),
            Amount(table.weight)};
}

ExportTable BuildExportTable(const Order& order, double priceFactor,
                             const CustomerDetails& customer, const QDateTime& moment,
                             const TFormatSettings& format)
{
    ExportTable table;
    table.heading = Heading(customer, priceFactor, moment, format);
    int32_t number = 0;
    for (const OrderItem& item : order.lines()) {
        ExportLine line;
        line.number = ++number;
        line.sku = FromCp1251(item.SKU.View());
        line.name = FromCp1251(item.Name.View());
        line.price = Shown(ExtendedProduct(item.Price, priceFactor), format);
        line.quantity = item.Quantity;
        line.sum = Shown(LineSum(item, priceFactor), format);
        // The total adds the lines' volumes in thousandths of a cubic metre
        // and a fifth for packing; each line is shown the same way.
        const double volume = RoundToHundredths(ExtendedProduct(item.Quantity, item.Volume));
        line.volume = Shown(ExtendedProduct(volume / 1000, 1.2), format);
        line.weight = Shown(RoundToHundredths(ExtendedProduct(item.Quantity, item.Weight)), format);
        table.lines.push_back(std::move(line));
    }
    const OrderTotalTexts totals = order.totalTexts(priceFactor, format);
    table.money = TotalValue(totals.Money, format);
    table.volume = TotalValue(totals.Volume, format);
    table.weight = TotalValue(totals.Weight, format);
    return table;
}

void WriteOrderExport(const std::filesystem::path& file, const ExportTable& table)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".csv")
        WriteCsvExport(file, table);
    else
        WriteXlsxExport(file, table);
}
