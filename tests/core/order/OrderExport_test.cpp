#include "core/order/CsvExport.h"
#include "core/order/CustomerDetails.h"
#include "core/order/Order.h"
#include "core/order/OrderExport.h"
#include "core/order/OrderFileError.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <QProcess>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

namespace {

using Rows = std::vector<QStringList>;

QStringList Texts(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

// A CSV text's records, quoted fields unquoted.
Rows ParseCsv(const QString& text)
{
    Rows rows(1);
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted && c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
            field += text[++i];
        else if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u';')
            rows.back().append(std::exchange(field, {}));
        else if (!quoted && c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            rows.back().append(std::exchange(field, {}));
            rows.emplace_back();
            ++i;
        } else
            field += c;
    }
    rows.pop_back(); // after the last line break
    return rows;
}

// One file of a zip archive, read by the system's Python.
QByteArray ZipEntry(const QString& archive, const QString& name)
{
    QProcess python;
    python.start(
        QStringLiteral("python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import sys, zipfile; "
                        "sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))"),
         archive, name});
    python.waitForFinished();
    return python.readAllStandardOutput();
}

// The sheet's cells by reference ("B12"): strings as they read, numbers as
// written in the file.
std::map<QString, QString> SheetCells(const QString& workbook)
{
    QStringList strings;
    QXmlStreamReader shared(ZipEntry(workbook, QStringLiteral("xl/sharedStrings.xml")));
    while (!shared.atEnd()) {
        shared.readNext();
        if (shared.isStartElement() && shared.name() == u"si")
            strings.append(QString());
        else if (shared.isStartElement() && shared.name() == u"t" && !strings.isEmpty())
            strings.back() += shared.readElementText();
    }
    std::map<QString, QString> cells;
    QXmlStreamReader sheet(ZipEntry(workbook, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString reference, type;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (!sheet.isStartElement())
            continue;
        if (sheet.name() == u"c") {
            reference = sheet.attributes().value(QStringLiteral("r")).toString();
            type = sheet.attributes().value(QStringLiteral("t")).toString();
        } else if (sheet.name() == u"v") {
            const QString value = sheet.readElementText();
            cells[reference] = type == u"s" ? strings.value(value.toInt()) : value;
        }
    }
    return cells;
}

struct OrderExportTest : ::testing::Test
{
    OrderExportTest()
    {
        CatalogueEntry vase;
        vase.SKU.Assign("AB-1");
        vase.Name.Assign(Cp("Ваза \"Лето\"; синяя"));
        vase.Price = 1.25;
        vase.Volume = 2.4;
        vase.Weight = 0.125;
        CatalogueEntry bowl;
        bowl.SKU.Assign("CD-2");
        bowl.Name.Assign(Cp("Чаша"));
        bowl.Price = 10;
        bowl.Volume = 0.75;
        bowl.Weight = 1;
        order.add(vase, 3);
        order.add(bowl, 100);
        customer.UserInfoSpecified = true;
        customer.Company = Cp("Ромашка");
        customer.TIN = "7701";
    }

    ExportTable Table() const
    {
        return BuildExportTable(order, 80.802, customer,
                                QDateTime(QDate(2026, 12, 8), QTime(10, 5, 7)), format);
    }

    TempDir dir;
    Order order;
    CustomerDetails customer;
    TFormatSettings format{'.', '.', ':', "DMY"};
};

TEST_F(OrderExportTest, TheTableHoldsWhatTheWindowShows)
{
    const ExportTable table = Table();
    EXPECT_EQ(table.heading,
              (QStringList{QStringLiteral("Заказ от 08.12.2026  10:05:07"),
                           QStringLiteral("Организация: ООО Ромашка"), QStringLiteral("ИНН: 7701"),
                           QStringLiteral("Телефоны: "), QStringLiteral("Контактное лицо: "),
                           QStringLiteral("Эл. почта: "),
                           QStringLiteral("Расчетный курс евро: 80.80 руб.")}));
    ASSERT_EQ(table.lines.size(), 2u);
    EXPECT_EQ(ExportLineTexts(table.lines[0]), Texts({"1", "AB-1", "Ваза \"Лето\"; синяя", "101,00",
                                                      "3", "303,01", "0,01", "0,37"}));
    EXPECT_EQ(ExportLineTexts(table.lines[1]),
              Texts({"2", "CD-2", "Чаша", "808,02", "100", "80802,00", "0,09", "100,00"}));
    // 303.01 + 80802.00; (7.2 + 75) / 1000 * 1.2; 0.37 + 100.
    const OrderTotalTexts shown = order.totalTexts(80.802, format);
    EXPECT_EQ(Cp1251ToUtf8(shown.Money), "81105.01 руб.");
    EXPECT_EQ(ExportTotalsTexts(table),
              Texts({"Итого:", "", "", "", "", "81105,01", "0,10", "100,37"}));
}

TEST_F(OrderExportTest, CsvReadsBackWithTheSameLinesAndTotals)
{
    const ExportTable table = Table();
    WriteOrderExport(dir.File("order.CSV"), table);
    const std::string bytes = ReadFileBytes(dir.File("order.CSV"));
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("\"Ваза \"\"Лето\"\"; синяя\""), std::string::npos);

    const Rows rows = ParseCsv(QString::fromStdString(bytes.substr(3)));
    ASSERT_EQ(rows.size(), table.heading.size() + 5);
    EXPECT_EQ(rows[0], QStringList{table.heading[0]});
    EXPECT_EQ(rows[table.heading.size()], QStringList{QString()});
    const auto header = static_cast<std::size_t>(table.heading.size() + 1);
    EXPECT_EQ(rows[header][6], QStringLiteral("Объём, м³"));
    EXPECT_EQ(rows[header + 1], ExportLineTexts(table.lines[0]));
    EXPECT_EQ(rows[header + 2], ExportLineTexts(table.lines[1]));
    EXPECT_EQ(rows[header + 3], ExportTotalsTexts(table));
}

TEST_F(OrderExportTest, WorkbookReadsBackWithTheSameLinesAndTotals)
{
    const ExportTable table = Table();
    const QString file = dir.QPath(QStringLiteral("заказ.xlsx"));
    WriteOrderExport(file.toStdString(), table);

    EXPECT_TRUE(ZipEntry(file, QStringLiteral("xl/workbook.xml")).contains("name=\"Заказ\""));
    std::map<QString, QString> cells = SheetCells(file);
    const int header = static_cast<int>(table.heading.size()) + 2; // 1-based sheet rows
    const auto cell = [&](const char* column, int row) {
        return cells[QString::fromLatin1(column) + QString::number(row)];
    };
    EXPECT_EQ(cell("A", 1), QStringLiteral("Заказ от 08.12.2026  10:05:07"));
    EXPECT_EQ(cell("C", header), QStringLiteral("Наименование"));
    const QStringList line = {cell("A", header + 1), cell("B", header + 1), cell("C", header + 1),
                              cell("D", header + 1), cell("E", header + 1), cell("F", header + 1),
                              cell("G", header + 1), cell("H", header + 1)};
    EXPECT_EQ(line,
              Texts({"1", "AB-1", "Ваза \"Лето\"; синяя", "101", "3", "303.01", "0.01", "0.37"}));
    EXPECT_EQ(cell("A", header + 3), QStringLiteral("Итого:"));
    EXPECT_EQ(cell("F", header + 3).toDouble(), table.money);
    EXPECT_EQ(cell("G", header + 3).toDouble(), table.volume);
    EXPECT_EQ(cell("H", header + 3).toDouble(), table.weight);
    EXPECT_TRUE(cell("A", header + 4).isEmpty());
}

TEST_F(OrderExportTest, AFileThatCannotBeWrittenIsReported)
{
    for (const char* name : {"order.csv", "order.xlsx"}) {
        const std::filesystem::path file = dir.File("missing") / name;
        try {
            WriteOrderExport(file, Table());
            ADD_FAILURE() << name << " written";
        } catch (const EOrderFileError& error) {
            EXPECT_EQ(
                Cp1251ToUtf8(error.what())
                    .rfind("Не удалось экспортировать заказ в файл «" + file.string() + "»: ", 0),
                0u)
                << error.what();
        }
    }
}

} // namespace
