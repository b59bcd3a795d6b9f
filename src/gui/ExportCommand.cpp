#include "gui/ExportCommand.h"

#include "core/catalogue/Prices.h"
#include "core/order/CustomerDetails.h"
#include "core/order/Order.h"
#include "core/order/OrderExport.h"
#include "core/order/SaveFileChoice.h"
#include "core/seams/Clock.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"
#include "gui/CustomerDialog.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A name typed without a known extension becomes a workbook.
QString ExportPath(const QString& chosen)
{
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (suffix == QStringLiteral("xlsx") || suffix == QStringLiteral("csv"))
        return chosen;
    return chosen + QStringLiteral(".xlsx");
}

} // namespace

ExportCommand::ExportCommand(const Order& order, const Prices& prices, Seams seams,
                             const TFormatSettings& systemFormat, QObject* parent)
    : QObject(parent), m_order(order), m_prices(prices), m_seams(seams), m_format(systemFormat)
{
    m_dialog.Filter = QString::fromUtf8(kExportXlsxFilter) + QLatin1Char('|') +
                      QString::fromUtf8(kExportCsvFilter);
    m_dialog.DefaultExtension = QStringLiteral("xlsx");
}

void ExportCommand::exportOrder()
{
    if (m_order.lineCount() <= 0) {
        m_seams.ui.MessageBox(QStringLiteral("Вы ничего не заказали!"), QStringLiteral("Заказ"),
                              MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    const std::optional<QString> chosen = ChooseFileToSave(m_seams.ui, m_dialog, ExportPath);
    if (!chosen)
        return;
    m_dialog.FileName = *chosen;
    const CustomerDetails customer =
        m_customerDialog ? m_customerDialog->details() : CustomerDetails{};
    try {
        WriteOrderExport(std::filesystem::path(QFile::encodeName(*chosen).toStdString()),
                         BuildExportTable(m_order, m_prices.priceFactor(), customer,
                                          m_seams.clock.Now(), m_format));
    } catch (const std::exception& error) {
        m_seams.ui.MessageBox(FromCp1251(ExceptionText(error)), QStringLiteral("Ошибка"),
                              MessageButtons::Ok, MessageIcon::Error);
    }
}
