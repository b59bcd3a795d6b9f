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

QStringList Texts(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

// The export's lines and totals as the window shows them (see the test's order).
const QStringList kFirstLine =
    Texts({"1", "AB-1", "Ваза \"Лето\"; синяя", "101,00", "3", "303,01", "0,01", "0,37"});
const QStringList kSecondLine =
    Texts({"2", "CD-2", "Чаша", "808,02", "100", "80802,00", "0,09", "100,00"});
// 303.01 + 80802.00; (7.2 + 75) / 1000 * 1.2; 0.37 + 100.
const QStringList kTotals = Texts({"Итого:", "", "", "", "", "81105,01", "0,10", "100,37"});

// A CSV text's records, quoted fields unquoted.
std::vector<QStringList> ParseCsv(const QString& text)
{
    std::vector<QStringList> rows(1);
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (quoted && c == u'"' && next == u'"')
            field += text[++i];
        else if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u';' || (c == u'\r' && next == u'\n')))
            rows.back().append(std::exchange(field, {}));
        else if (!quoted && c == u'\n')
            rows.emplace_back();
        else
            field += c;
    }
    rows.pop_back(); // after the last line break
    return rows;
}

// One file of a zip archive, read by the system's Python.
QByteArray ZipEntry(const QString& archive, const QString& name)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, zipfile; sys.stdout.buffer.write("
                                 "zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))"),
                  archive, name});
    python.waitForFinished();
    return python.readAllStandardOutput();
}

// The first sheet's rows (1-based), strings as they read and numbers as written.
std::map<int, QStringList> SheetRows(const QString& workbook)
{
    QStringList strings;
    QXmlStreamReader shared(ZipEntry(workbook, QStringLiteral("xl/sharedStrings.xml")));
    while (shared.readNext() != QXmlStreamReader::EndDocument && !shared.hasError()) {
        if (shared.isStartElement() && shared.name() == u"si")
            strings.append(QString());
        else if (shared.isStartElement() && shared.name() == u"t" && !strings.isEmpty())
            strings.back() += shared.readElementText();
    }
    std::map<int, QStringList> rows;
    QXmlStreamReader sheet(ZipEntry(workbook, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString reference, type;
    while (sheet.readNext() != QXmlStreamReader::EndDocument && !sheet.hasError()) {
        if (sheet.isStartElement() && sheet.name() == u"c") {
            reference = sheet.attributes().value(QStringLiteral("r")).toString();
            type = sheet.attributes().value(QStringLiteral("t")).toString();
        } else if (sheet.isStartElement() && sheet.name() == u"v") {
            const QString value = sheet.readElementText();
            QStringList& row = rows[reference.mid(1).toInt()];
            row.resize(reference[0].unicode() - 'A'); // the empty cells before it
            row.append(type == u"s" ? strings.value(value.toInt()) : value);
        }
    }
    return rows;
}

struct OrderExportTest : ::testing::Test
{
    OrderExportTest()
    {
        order.add(Product("AB-1", "Ваза \"Лето\"; синяя", 1.25, 2.4, 0.125), 3);
        order.add(Product("CD-2", "Чаша", 10, 0.75, 1), 100);
        customer.UserInfoSpecified = true;
        customer.Company = Cp("Ромашка");
        customer.TIN = "7701";
    }

    static CatalogueEntry Product(const char* sku, const char* name, double price, double volume,
                                  double weight)
    {
        CatalogueEntry product;
        product.SKU.Assign(sku);
        product.Name.Assign(Cp(name));
        product.Price = price;
        product.Volume = volume;
        product.Weight = weight;
        return product;
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

TEST_F(OrderExportTest, CsvReadsBackWithTheWindowsLinesAndTotals)
{
    EXPECT_EQ(Cp1251ToUtf8(order.totalTexts(80.802, format).Money), "81105.01 руб.");
    WriteOrderExport(dir.File("order.CSV"), Table());
    const std::string bytes = ReadFileBytes(dir.File("order.CSV"));
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("\r\n2;CD-2;"), std::string::npos);

    const std::vector<QStringList> rows = ParseCsv(QString::fromStdString(bytes.substr(3)));
    const std::vector<QStringList> expected = {
        Texts({"Заказ от 08.12.2026  10:05:07"}),
        Texts({"Организация: ООО Ромашка"}),
        Texts({"ИНН: 7701"}),
        Texts({"Телефоны: "}),
        Texts({"Контактное лицо: "}),
        Texts({"Эл. почта: "}),
        Texts({"Расчетный курс евро: 80.80 руб."}),
        {QString()},
        Texts({"#", "Артикул", "Наименование", "Цена, руб.", "Кол-во", "Сумма, руб.", "Объём, м³",
               "Вес, кг"}),
        kFirstLine,
        kSecondLine,
        kTotals,
    };
    EXPECT_EQ(rows, expected);
}

TEST_F(OrderExportTest, WorkbookReadsBackWithTheWindowsLinesAndTotals)
{
    const QString file = dir.QPath(QStringLiteral("заказ.xlsx"));
    WriteOrderExport(file.toStdString(), Table());

    EXPECT_TRUE(ZipEntry(file, QStringLiteral("xl/workbook.xml")).contains("name=\"Заказ\""));
    std::map<int, QStringList> rows = SheetRows(file);
    // Numbers compare as numbers, whatever digits the file uses; the file
    // itself must have a decimal point, the window has a comma.
    const auto numbers = [](QStringList texts, bool decimalComma = false) {
        for (QString& text : texts) {
            bool number = false;
            const double value =
                (decimalComma ? QString(text).replace(u',', u'.') : text).toDouble(&number);
            if (number)
                text = QString::number(value, 'g', 15);
        }
        return texts;
    };
    EXPECT_EQ(rows[1], Texts({"Заказ от 08.12.2026  10:05:07"}));
    EXPECT_EQ(rows[9].value(2), QStringLiteral("Наименование"));
    EXPECT_EQ(numbers(rows[10]), numbers(kFirstLine, true));
    EXPECT_EQ(numbers(rows[11]), numbers(kSecondLine, true));
    EXPECT_EQ(numbers(rows[12]), numbers(kTotals, true));
    EXPECT_EQ(rows.size(), 11u); // and row 8 empty
}

TEST_F(OrderExportTest, AFileThatCannotBeWrittenIsReported)
{
    for (const char* name : {"order.csv", "order.xlsx"}) {
        const std::filesystem::path file = dir.File("missing") / name;
        try {
            WriteOrderExport(file, Table());
            ADD_FAILURE() << name << " written";
        } catch (const EOrderFileError& error) {
            const std::string start = "Не удалось экспортировать заказ в файл «" + file.string();
            EXPECT_EQ(Cp1251ToUtf8(error.what()).rfind(start + "»: ", 0), 0u) << error.what();
        }
    }
}

} // namespace
