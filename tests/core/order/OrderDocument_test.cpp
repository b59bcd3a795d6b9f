#include "core/order/OrderDocument.h"
#include "core/text/Cp1251.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// The document's lines; fails the test unless every line ends in CR LF.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
        start = end + 2;
    }
    return lines;
}

OrderItem Line(const std::string& sku, const std::string& name, double price, int32_t quantity)
{
    OrderItem item;
    item.SKU.Assign(sku);
    item.Name.Assign(name);
    item.Price = price;
    item.Quantity = quantity;
    return item;
}

CustomerDetails Customer(int32_t companyType)
{
    CustomerDetails customer;
    customer.UserInfoSpecified = true;
    customer.CompanyType = companyType;
    customer.Company = Cp("Рога & Копыта");
    customer.TIN = "7701234567";
    customer.Phones = "+7 (495) 123-45-67";
    customer.ContactPerson = Cp("Иванов И.И.");
    customer.Email = "a<b>@x.ru";
    return customer;
}

const QDateTime kMoment(QDate(2024, 3, 5), QTime(9, 7, 3));

struct Locale
{
    char decimal;
    char time;
};

class OrderDocumentUnderLocale : public ::testing::TestWithParam<Locale>
{
protected:
    TFormatSettings Format() const
    {
        TFormatSettings format;
        format.DecimalSeparator = GetParam().decimal;
        format.TimeSeparator = GetParam().time;
        return format;
    }

    // A number written with "." in the test, shown with the locale's separator.
    std::string N(std::string number) const
    {
        std::replace(number.begin(), number.end(), '.', GetParam().decimal);
        return number;
    }
};

TEST_P(OrderDocumentUnderLocale, WritesTheTemplateLineByLine)
{
    const std::vector<OrderItem> items = {Line("AB-1", Cp("Набор <Люкс> & Co"), 2, 3),
                                          Line("CD-2", Cp("Ваза \"Осень\""), 1.5, 10)};
    const OrderTotalTexts totals = {N("1690.50") + Cp(" руб."), N("0.29") + Cp(" м.куб."),
                                    N("3.00") + Cp(" кг.")};
    const char t = GetParam().time;
    const std::string stamp = std::string("05.03.2024  09") + t + "07" + t + "03";

    const std::string text = OrderDocumentText(items, 80.5, totals, Customer(1), kMoment, Format());
    const std::vector<std::string> expected = {
        "<head><style>html,table {font-size:10pt; font-family:Arial; border-collapse: collapse;}",
        "td,th {padding: 5px; border:#333 1px solid; }</style></head>",
        "<html><body>",
        Cp("<b><font size=\"3\">Заказ от &nbsp;&nbsp;") + stamp + "</font></b><br/ ><br/ ><br/ >",
        Cp("<b>Организация:</b> ИП Рога &amp; Копыта<br /><br />"),
        Cp("<b>ИНН:</b> 7701234567<br /><br />"),
        Cp("<b>Телефоны:</b> +7 (495) 123-45-67<br /><br />"),
        Cp("<b>Контактное лицо:</b> Иванов И.И.<br /><br />"),
        Cp("<b>Эл. почта:</b> a&lt;b&gt;@x.ru<br /><br />"),
        Cp("<table><tr><td width=\"50px\"><b>№</b></td><td width=\"90px\"><b>Артикул</b></td><td "
           "width=\"180px\"><b>Наименование товара</b></td><td width=\"80px\"><b>Цена, "
           "руб.</b></td><td width=\"80px\"><b>Кол-во</b></td><td width=\"100px\"><b>Сумма, "
           "руб.</b></td></tr>"),
        Cp("<tr><td>1</td><td>AB-1</td><td>Набор &lt;Люкс&gt; &amp; Co</td><td align=\"right\">") +
            N("161.00") + "</td><td align=\"right\">3</td><td align=\"right\">" + N("483.00") +
            "</td></tr>",
        Cp("<tr><td>2</td><td>CD-2</td><td>Ваза &quot;Осень&quot;</td><td align=\"right\">") +
            N("120.75") + "</td><td align=\"right\">10</td><td align=\"right\">" + N("1207.50") +
            "</td></tr>",
        Cp("<tr><td colspan=\"5\"><b>Итого:</b></td><td align=\"right\"><b>") + N("1690.50") +
            " </b></td></tr></table><br /><br />",
        Cp("Расчетный курс евро: ") + N("80.50") + Cp(" руб.<br /><br />"),
        Cp("Общая сумма: ") + N("1690.50") + Cp(" руб.<br /><br />"),
        Cp("Общий объем: ") + N("0.29") + Cp(" м.куб.<br /><br />"),
        Cp("Общий вес: ") + N("3.00") + Cp(" кг.<br /><br />"),
        "</body></html>",
    };
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 16u + items.size());
    for (std::size_t k = 0; k < lines.size(); ++k)
        EXPECT_EQ(Cp1251ToUtf8(lines[k]), Cp1251ToUtf8(expected[k])) << "line " << k + 1;
}

TEST_P(OrderDocumentUnderLocale, PrintsLineSumsFromTheUnroundedProduct)
{
    // The order view shows 0.12 and 0.37 for these lines; the document prints
    // the products themselves in the money format.
    const std::vector<OrderItem> items = {Line("A", "", 0.125, 1), Line("B", "", 0.125, 3)};
    const std::vector<std::string> lines = Lines(OrderDocumentText(
        items, 1, {N("0.49") + Cp(" руб."), "", ""}, Customer(0), kMoment, Format()));
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_TRUE(lines[10].ends_with(">" + N("0.13") +
                                    "</td><td align=\"right\">1</td><td "
                                    "align=\"right\">" +
                                    N("0.13") + "</td></tr>"))
        << lines[10];
    EXPECT_TRUE(lines[11].ends_with(">3</td><td align=\"right\">" + N("0.38") + "</td></tr>"))
        << lines[11];
    EXPECT_EQ(lines[13], Cp("Расчетный курс евро: ") + N("1.00") + Cp(" руб.<br /><br />"));
}

INSTANTIATE_TEST_SUITE_P(Separators, OrderDocumentUnderLocale,
                         ::testing::Values(Locale{'.', ':'}, Locale{',', '-'}));

TEST(OrderDocument, CompanyTypeWordAndTotalCell)
{
    const struct
    {
        int32_t companyType;
        const char* line; // UTF-8
    } cases[] = {
        {0, "<b>Организация:</b> ООО Рога &amp; Копыта<br /><br />"},
        {1, "<b>Организация:</b> ИП Рога &amp; Копыта<br /><br />"},
        {2, "<b>Организация:</b> ПБОЮЛ Рога &amp; Копыта<br /><br />"},
        {3, "<b>Организация:</b> ЗАО Рога &amp; Копыта<br /><br />"},
        {4, "<b>Организация:</b>  Рога &amp; Копыта<br /><br />"},
        {-1, "<b>Организация:</b>  Рога &amp; Копыта<br /><br />"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = Lines(
            OrderDocumentText({}, 90, {}, Customer(c.companyType), kMoment, TFormatSettings()));
        ASSERT_EQ(lines.size(), 16u);
        EXPECT_EQ(lines[4], Cp(c.line)) << c.companyType;
    }

    // Only the first "руб." leaves the total cell; the full text follows below.
    const OrderTotalTexts totals = {Cp("7,00 руб. руб."), "", ""};
    const std::vector<std::string> lines =
        Lines(OrderDocumentText({}, 90, totals, Customer(0), kMoment, TFormatSettings()));
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[10], Cp("<tr><td colspan=\"5\"><b>Итого:</b></td><td align=\"right\"><b>7,00  "
                            "руб.</b></td></tr></table><br /><br />"));
    EXPECT_EQ(lines[12], Cp("Общая сумма: 7,00 руб. руб.<br /><br />"));
}

TEST(OrderDocument, EscapesEveryValueFromTheOrderAndTheCustomer)
{
    // Each value starts with its own letter, so a value left raw is named.
    CustomerDetails customer;
    customer.Company = "c<&\"";
    customer.TIN = "t<&\"";
    customer.Phones = "p<&\"";
    customer.ContactPerson = "k<&\"";
    customer.Email = "e<&\"";
    const std::vector<OrderItem> items = {Line("s<&\"", "n<&\"", 1, 1)};
    const std::string text = OrderDocumentText(items, 90, {}, customer, kMoment, TFormatSettings());
    for (const char letter : std::string("ctpkesn")) {
        EXPECT_NE(text.find(letter + std::string("&lt;&amp;&quot;")), std::string::npos) << letter;
        EXPECT_EQ(text.find(letter + std::string("<&\"")), std::string::npos) << letter;
    }
}

TEST(OrderDocument, FileNameGetsHtmlUnlessItHoldsHtm)
{
    const struct
    {
        const char* chosen;
        const char* path;
    } cases[] = {
        {"/home/u/заказ", "/home/u/заказ.html"},
        {"/home/u/заказ.htm", "/home/u/заказ.htm"},
        {"/home/u/заказ.html", "/home/u/заказ.html"},
        {"/home/u/заказ.HTM", "/home/u/заказ.HTM.html"},
        {"/home/u/заказ.order", "/home/u/заказ.order.html"},
        {"/home/u/a.htmx/заказ", "/home/u/a.htmx/заказ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OrderDocumentPath(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.path));
}

TEST(OrderDocument, WriterReplacesTheFileOrKeepsItAndSaysWhy)
{
    TempDir dir;
    const auto file = dir.File(Cp1251ToUtf8(Cp("заказ.html")));
    const std::vector<OrderItem> items = {Line("A", "", 1, 1)};
    const std::string text =
        OrderDocumentText(items, 90, {}, Customer(0), kMoment, TFormatSettings());
    std::ofstream(file, std::ios::binary) << std::string(5000, 'x');
    WriteOrderDocument(file, text);
    const std::string written = ReadFileBytes(file);
    EXPECT_EQ(written, text);
    EXPECT_EQ(written.rfind("<head>", 0), 0u) << "no byte-order mark";

    std::filesystem::create_directory(dir.File("folder.html"));
    try {
        WriteOrderDocument(dir.File("folder.html"), text);
        ADD_FAILURE();
    } catch (const EOrderFileError& error) {
        const std::string prefix = Cp("Не удалось записать документ заказа в файл «") +
                                   dir.File("folder.html").string() + Cp("»: ");
        EXPECT_EQ(std::string(error.what()).rfind(prefix, 0), 0u) << error.what();
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.html")));
}

} // namespace
