#include "core/order/OrderDocument.h"

#include "core/order/OrderMessages.h"
#include "core/text/Cp1251.h"

#include <cstdio>
#include <initializer_list>

namespace {

// Values are Windows-1251, where these four are the ASCII bytes.
std::string HtmlEscaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The money total without its first "руб.": the space before it stays.
std::string WithoutFirstRouble(std::string text)
{
    const std::string rouble = Cp("руб.");
    const auto at = text.find(rouble);
    if (at != std::string::npos)
        text.erase(at, rouble.size());
    return text;
}

class TDocumentWriter
{
public:
    void Line(std::initializer_list<std::string_view> parts)
    {
        for (std::string_view part : parts)
            m_text += part;
        m_text += "\r\n";
    }
    std::string Take() { return std::move(m_text); }

private:
    std::string m_text;
};

} // namespace

QString OrderDocumentPath(const QString& chosenPath)
{
    if (chosenPath.contains(QStringLiteral(".htm"), Qt::CaseSensitive))
        return chosenPath;
    return chosenPath + QStringLiteral(".html");
}

std::string OrderDateStamp(const QDateTime& moment, const TFormatSettings& format)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d  %02d%c%02d%c%02d", date.day(),
                  date.month(), date.year(), time.hour(), format.TimeSeparator, time.minute(),
                  format.TimeSeparator, time.second());
    return buffer;
}

std::string OrderDocumentText(std::span<const OrderItem> lines, double priceFactor,
                              const OrderTotalTexts& totals, const CustomerDetails& customer,
                              const QDateTime& moment, const TFormatSettings& format)
{
    TDocumentWriter doc;
    doc.Line({"<head><style>html,table {font-size:10pt; font-family:Arial; border-collapse: "
              "collapse;}"});
    doc.Line({"td,th {padding: 5px; border:#333 1px solid; }</style></head>"});
    doc.Line({"<html><body>"});
    doc.Line({Cp("<b><font size=\"3\">Заказ от &nbsp;&nbsp;"), OrderDateStamp(moment, format),
              "</font></b><br/ ><br/ ><br/ >"});
    doc.Line({Cp("<b>Организация:</b> "), CompanyTypeWord(customer.CompanyType), " ",
              HtmlEscaped(customer.Company), "<br /><br />"});
    doc.Line({Cp("<b>ИНН:</b> "), HtmlEscaped(customer.TIN), "<br /><br />"});
    doc.Line({Cp("<b>Телефоны:</b> "), HtmlEscaped(customer.Phones), "<br /><br />"});
    doc.Line({Cp("<b>Контактное лицо:</b> "), HtmlEscaped(customer.ContactPerson), "<br /><br />"});
    doc.Line({Cp("<b>Эл. почта:</b> "), HtmlEscaped(customer.Email), "<br /><br />"});
    doc.Line({Cp("<table><tr><td width=\"50px\"><b>№</b></td><td width=\"90px\"><b>Артикул</b></td>"
                 "<td width=\"180px\"><b>Наименование товара</b></td><td width=\"80px\"><b>Цена, "
                 "руб.</b></td><td width=\"80px\"><b>Кол-во</b></td><td width=\"100px\"><b>Сумма, "
                 "руб.</b></td></tr>")});

    int number = 0;
    for (const OrderItem& item : lines) {
        // The document prints the unrounded product; the view's totals add
        // sums rounded to hundredths, so the two may differ by a kopeck.
        const double unitPrice = ExtendedProduct(item.Price, priceFactor);
        const double lineSum = ExtendedProduct(item.Price, priceFactor, item.Quantity);
        doc.Line({"<tr><td>", std::to_string(++number), "</td><td>", HtmlEscaped(item.SKU.View()),
                  "</td><td>", HtmlEscaped(item.Name.View()), "</td><td align=\"right\">",
                  FormatMoney(unitPrice, format), "</td><td align=\"right\">",
                  std::to_string(item.Quantity), "</td><td align=\"right\">",
                  FormatMoney(lineSum, format), "</td></tr>"});
    }

    doc.Line({Cp("<tr><td colspan=\"5\"><b>Итого:</b></td><td align=\"right\"><b>"),
              HtmlEscaped(WithoutFirstRouble(totals.Money)), "</b></td></tr></table><br /><br />"});
    doc.Line(
        {Cp("Расчетный курс евро: "), FormatMoney(priceFactor, format), Cp(" руб.<br /><br />")});
    doc.Line({Cp("Общая сумма: "), HtmlEscaped(totals.Money), "<br /><br />"});
    doc.Line({Cp("Общий объем: "), HtmlEscaped(totals.Volume), "<br /><br />"});
    doc.Line({Cp("Общий вес: "), HtmlEscaped(totals.Weight), "<br /><br />"});
    doc.Line({"</body></html>"});
    return doc.Take();
}

void WriteOrderDocument(const std::filesystem::path& file, std::string_view documentText)
{
    ReplaceFileContent(file, documentText, OrderMessages::kCannotWriteDocument);
}
