#include "core/order/XlsxExport.h"

#include "core/order/OrderExport.h"
#include "core/order/OrderFileError.h"
#include "core/order/XlsxLibrary.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cerrno>
#include <clocale>
#include <locale.h>
#include <optional>
#include <vector>

namespace {

constexpr char kSheetName[] = "Заказ";
// The reason in kCannotExport when the library is missing or broken; %1 is
// its file name.
constexpr char kNoLibrary[] =
    "не удалось загрузить библиотеку для файлов Excel (%1). Переустановите программу.";
constexpr int kColumnCount = static_cast<int>(kExportColumns.size());
// Columns 3, 5, 6 and 7 hold amounts of money, volume and weight.
constexpr bool kAmountColumn[kColumnCount] = {false, false, false, true, false, true, true, true};

// The library writes numbers with the C library's formatting, which follows
// the locale: under ru_RU the workbook would hold "303,01", which no
// spreadsheet reads as a number. This thread formats in the "C" locale
// while the workbook is made; the rest of the process is left alone.
class ClassicNumbersInThisThread
{
public:
    ClassicNumbersInThisThread()
        : m_classic(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr))),
          m_previous(m_classic ? uselocale(m_classic) : nullptr)
    {}
    ~ClassicNumbersInThisThread()
    {
        if (!m_classic)
            return;
        uselocale(m_previous);
        freelocale(m_classic);
    }
    ClassicNumbersInThisThread(const ClassicNumbersInThisThread&) = delete;
    ClassicNumbersInThisThread& operator=(const ClassicNumbersInThisThread&) = delete;

private:
    locale_t m_classic;
    locale_t m_previous;
};

// Writes the cells, remembering the first error and each column's widest text.
class SheetWriter
{
public:
    SheetWriter(const XlsxFunctions& xlsx, lxw_workbook* workbook, lxw_worksheet* sheet)
        : m_xlsx(xlsx), m_sheet(sheet)
    {
        m_bold = xlsx.workbookAddFormat(workbook);
        xlsx.formatSetBold(m_bold);
        m_amount = xlsx.workbookAddFormat(workbook);
        xlsx.formatSetNumFormat(m_amount, "0.00");
        m_boldAmount = xlsx.workbookAddFormat(workbook);
        xlsx.formatSetBold(m_boldAmount);
        xlsx.formatSetNumFormat(m_boldAmount, "0.00");
    }

    // A line of text that may run past its cell; it sets no column's width.
    void heading(const QString& text) { writeText(m_row++, 0, text, nullptr); }
    void skipRow() { ++m_row; }

    void header()
    {
        for (int column = 0; column < kColumnCount; ++column)
            cell(column, QString::fromUtf8(kExportColumns[static_cast<std::size_t>(column)]), {},
                 true);
        ++m_row;
    }

    // `texts` as the cells show them; `numbers` the values of the numeric ones.
    void row(const QStringList& texts, const std::vector<std::optional<double>>& numbers, bool bold)
    {
        for (int column = 0; column < kColumnCount; ++column)
            cell(column, texts[column], numbers[static_cast<std::size_t>(column)], bold);
        ++m_row;
    }

    lxw_error finish()
    {
        for (int column = 0; column < kColumnCount; ++column)
            keep(m_xlsx.worksheetSetColumn(
                m_sheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
                m_widths[static_cast<std::size_t>(column)] + 2, nullptr));
        return m_error;
    }

private:
    void cell(int column, const QString& text, std::optional<double> number, bool bold)
    {
        auto& width = m_widths[static_cast<std::size_t>(column)];
        width = std::max(width, static_cast<double>(text.size()));
        if (text.isEmpty())
            return;
        if (!number) {
            writeText(m_row, column, text, bold ? m_bold : nullptr);
            return;
        }
        lxw_format* format =
            kAmountColumn[column] ? (bold ? m_boldAmount : m_amount) : (bold ? m_bold : nullptr);
        keep(m_xlsx.worksheetWriteNumber(m_sheet, static_cast<lxw_row_t>(m_row),
                                         static_cast<lxw_col_t>(column), *number, format));
    }

    void writeText(int row, int column, const QString& text, lxw_format* format)
    {
        keep(m_xlsx.worksheetWriteString(m_sheet, static_cast<lxw_row_t>(row),
                                         static_cast<lxw_col_t>(column), text.toUtf8().constData(),
                                         format));
    }

    void keep(lxw_error error)
    {
        if (m_error == LXW_NO_ERROR)
            m_error = error;
    }

    const XlsxFunctions& m_xlsx;
    lxw_worksheet* m_sheet;
    lxw_format* m_bold;
    lxw_format* m_amount;
    lxw_format* m_boldAmount;
    int m_row = 0;
    std::array<double, kExportColumns.size()> m_widths{};
    lxw_error m_error = LXW_NO_ERROR;
};

std::vector<std::optional<double>> LineNumbers(const ExportLine& line)
{
    return {line.number, {}, {}, line.price, line.quantity, line.sum, line.volume, line.weight};
}

std::vector<std::optional<double>> TotalsNumbers(const ExportTable& table)
{
    return {{}, {}, {}, {}, {}, table.money, table.volume, table.weight};
}

// Builds the workbook at `path`; the library's error, if any.
lxw_error BuildWorkbook(const XlsxFunctions& xlsx, const QString& path, const ExportTable& table)
{
    const ClassicNumbersInThisThread classicNumbers;
    lxw_workbook* workbook = xlsx.workbookNew(QFile::encodeName(path).constData());
    if (!workbook)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    lxw_worksheet* sheet = xlsx.workbookAddWorksheet(workbook, kSheetName);
    SheetWriter writer(xlsx, workbook, sheet);
    for (const QString& line : table.heading)
        writer.heading(line);
    writer.skipRow();
    writer.header();
    for (const ExportLine& line : table.lines)
        writer.row(ExportLineTexts(line), LineNumbers(line), false);
    writer.row(ExportTotalsTexts(table), TotalsNumbers(table), true);
    const lxw_error written = writer.finish();
    // Closing writes the file and frees the workbook, also after an error.
    const lxw_error closed = xlsx.workbookClose(workbook);
    return written != LXW_NO_ERROR ? written : closed;
}

// The system's reason when the library failed on a file, else its own.
QString LibraryErrorReason(const XlsxFunctions& xlsx, lxw_error error, int systemError)
{
    const bool fileError = error == LXW_ERROR_CREATING_XLSX_FILE ||
                           error == LXW_ERROR_CREATING_TMPFILE ||
                           error == LXW_ERROR_READING_TMPFILE;
    if (fileError && systemError != 0)
        return FromCp1251(SystemErrorText(systemError));
    return QString::fromUtf8(xlsx.strerror(error));
}

} // namespace

void WriteXlsxExport(const std::filesystem::path& file, const ExportTable& table)
{
    const XlsxFunctions* xlsx = Xlsx();
    if (!xlsx)
        throw OrderFileError(kCannotExport, file,
                             QString::fromUtf8(kNoLibrary).arg(QLatin1String(kXlsxLibrarySoname)));
    // The library writes by name, so the workbook is made in a folder of its
    // own and then replaces the file in one step, as every file is written.
    QTemporaryDir folder;
    if (!folder.isValid())
        throw OrderFileError(kCannotExport, file, folder.errorString());
    const QString built = folder.filePath(QStringLiteral("order.xlsx"));
    errno = 0;
    const lxw_error error = BuildWorkbook(*xlsx, built, table);
    if (error != LXW_NO_ERROR)
        throw OrderFileError(kCannotExport, file, LibraryErrorReason(*xlsx, error, errno));

    QFile workbook(built);
    if (!workbook.open(QIODevice::ReadOnly))
        throw OrderFileError(kCannotExport, file, workbook.errorString());
    const QByteArray content = workbook.readAll();
    if (workbook.error() != QFileDevice::NoError)
        throw OrderFileError(kCannotExport, file, workbook.errorString());
    ReplaceFileContent(
        file, std::string_view(content.constData(), static_cast<std::size_t>(content.size())),
        kCannotExport);
}
