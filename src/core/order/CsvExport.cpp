#include "core/order/CsvExport.h"

#include "core/order/OrderExport.h"
#include "core/order/OrderFileError.h"

namespace {

QString CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(CsvField(field));
    return quoted.join(u';') + QStringLiteral("\r\n");
}

} // namespace

QString CsvField(const QString& text)
{
    const bool plain = !text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
                       !text.contains(u'\r') && text.trimmed() == text;
    if (plain)
        return text;
    QString doubled = text;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

std::string CsvExportText(const ExportTable& table)
{
    QString text;
    for (const QString& line : table.heading)
        text += CsvLine({line});
    text += QStringLiteral("\r\n");
    QStringList columns;
    for (const char* column : kExportColumns)
        columns.append(QString::fromUtf8(column));
    text += CsvLine(columns);
    for (const ExportLine& line : table.lines)
        text += CsvLine(ExportLineTexts(line));
    text += CsvLine(ExportTotalsTexts(table));
    return "\xEF\xBB\xBF" + text.toStdString();
}

void WriteCsvExport(const std::filesystem::path& file, const ExportTable& table)
{
    ReplaceFileContent(file, CsvExportText(table), kCannotExport);
}
