#include "gui/OrderCommands.h"

#include "core/catalogue/Prices.h"
#include "core/order/Order.h"
#include "core/order/OrderDocument.h"
#include "core/order/OrderFile.h"
#include "core/order/OrderHistory.h"
#include "core/order/OrderMessages.h"
#include "core/order/SaveFileChoice.h"
#include "core/seams/Clock.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"
#include "gui/CustomerDialog.h"
#include "gui/ErrorHandler.h"
#include "gui/OrderPreviewDialog.h"
#include "gui/OrderView.h"
#include "gui/QuantityDialog.h"

#include <QFile>

namespace {

std::filesystem::path FileSystemPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

void ShowFileError(IUserInteraction& ui, const std::exception& error)
{
    ui.MessageBox(FromCp1251(ExceptionText(error)), QStringLiteral("Ошибка"), MessageButtons::Ok,
                  MessageIcon::Error);
}

} // namespace

OrderCommands::OrderCommands(Order& order, OrderHistory& history, const Prices& prices,
                             OrderView& view, Seams seams, const TFormatSettings& systemFormat,
                             QObject* parent)
    : QObject(parent), m_order(order), m_history(history), m_prices(prices), m_view(view),
      m_seams(seams), m_systemFormat(systemFormat)
{}

void OrderCommands::setDialogs(QuantityDialog* quantity, CustomerDialog* customer,
                               OrderPreviewDialog* preview)
{
    m_quantityDialog = quantity;
    m_customerDialog = customer;
    m_previewDialog = preview;
}

void OrderCommands::addProduct(const CatalogueEntry& entry)
{
    if (!m_quantityDialog)
        return;
    const int32_t quantity = m_quantityDialog->askQuantity(
        entry.SKU.Str(), entry.Name.Str(), entry.MinQuantity, entry.Packing, entry.MinQuantity);
    if (quantity <= 0)
        return;
    if (m_history.add(entry, quantity) == Order::AddResult::Refused) {
        m_seams.ui.MessageBox(QString::fromUtf8(OrderMessages::kQuantityRefused), AppTitle(),
                              MessageButtons::Ok, MessageIcon::None);
        return;
    }
    showLines();
}

void OrderCommands::showLines()
{
    m_view.refill();
    Q_EMIT linesChanged();
}

int32_t OrderCommands::selectedLine() const
{
    const int32_t index = m_view.selectedRow() - 1;
    const OrderItem* line = m_order.line(index);
    // A line without an article code shows as a blank row.
    return line && !line->SKU.View().empty() ? index : -1;
}

void OrderCommands::changeSelectedLine()
{
    const int32_t index = selectedLine();
    if (index < 0 || !m_quantityDialog)
        return;
    // A copy: the dialog's answer replaces the quantity it shows.
    const OrderItem line = *m_order.line(index);
    const int32_t quantity = m_quantityDialog->askQuantity(
        line.SKU.Str(), line.Name.Str(), line.MinQuantity, line.Packing, line.Quantity);
    if (m_history.changeQuantity(index, quantity))
        showLines();
}

void OrderCommands::deleteSelectedLine()
{
    const int32_t index = selectedLine();
    if (index < 0)
        return;
    if (m_seams.ui.MessageBox(QStringLiteral("Удалить выбранный товар из заказа?"),
                              QStringLiteral("Удаление"), MessageButtons::YesNo,
                              MessageIcon::Question) != MessageAnswer::Yes)
        return;
    if (m_history.removeLine(index))
        showLines();
}

void OrderCommands::newOrder()
{
    if (m_order.isModified()) {
        const MessageAnswer answer = m_seams.ui.MessageBox(
            QStringLiteral("При создании нового заказа все изменения в текущем будут утеряны. "
                           "Сохранить измненения?"),
            QStringLiteral("Сохранение"), MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageAnswer::Cancel)
            return;
        // An order the user wanted kept is not emptied unless it was saved.
        if (answer == MessageAnswer::Yes && !saveOrder())
            return;
        // Emptying changes the user chose not to keep can be taken back.
        if (answer == MessageAnswer::No) {
            m_history.clearOrder();
            showLines();
            return;
        }
    }
    m_order.clear();
    m_history.forget();
    showLines();
}

bool OrderCommands::saveOrder()
{
    if (!m_order.isModified())
        return true;
    m_saveOrderDialog.DefaultExtension = QString::fromUtf8(kOrderFileExtension);
    // The dialog itself adds the extension to a bare name.
    const std::optional<QString> chosen =
        ChooseFileToSave(m_seams.ui, m_saveOrderDialog, [](const QString& path) { return path; });
    if (!chosen)
        return false;
    m_saveOrderDialog.FileName = *chosen;
    try {
        m_order.save(FileSystemPath(*chosen));
    } catch (const std::exception& error) {
        ShowFileError(m_seams.ui, error);
        return false;
    }
    Q_EMIT orderFileUsed(*chosen);
    return true;
}

bool OrderCommands::mayReplaceOrder()
{
    return !m_order.isModified() ||
           m_seams.ui.MessageBox(QStringLiteral("Текущий заказ не сохранен. Открытие заказа "
                                                "приведет к потере данных. Продолжить?"),
                                 QStringLiteral("Открыть"), MessageButtons::YesNo,
                                 MessageIcon::Question) == MessageAnswer::Yes;
}

void OrderCommands::openOrder()
{
    if (!mayReplaceOrder())
        return;
    m_openOrderDialog.Filter = QString::fromUtf8(kOrderFileFilter);
    m_openOrderDialog.DefaultExtension = QString::fromUtf8(kOrderFileExtension);
    const std::optional<QString> chosen = m_seams.ui.OpenFileName(m_openOrderDialog);
    if (!chosen)
        return;
    m_openOrderDialog.FileName = *chosen;
    loadOrderFile(*chosen);
}

void OrderCommands::openOrderFile(const QString& path)
{
    if (mayReplaceOrder())
        loadOrderFile(path);
}

void OrderCommands::loadOrderFile(const QString& path)
{
    // The whole file is read and checked before the current order is touched.
    try {
        m_order.load(FileSystemPath(path));
    } catch (const std::exception& error) {
        ShowFileError(m_seams.ui, error);
        return;
    }
    m_history.forget();
    showLines();
    Q_EMIT orderFileUsed(path);
    Q_EMIT orderOpened();
}

bool OrderCommands::confirmClose()
{
    if (!m_order.isModified())
        return true;
    const MessageAnswer answer = m_seams.ui.MessageBox(
        QStringLiteral("При выходе из программы все изменения в заказе будут утеряны. Сохранить?"),
        QStringLiteral("Сохранение"), MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer == MessageAnswer::Cancel)
        return false;
    // Closing after "Yes" would lose the order if it was not saved after all.
    return answer == MessageAnswer::No || saveOrder();
}

bool OrderCommands::ensureCustomerDetails()
{
    const auto given = [this] {
        return m_customerDialog && m_customerDialog->details().UserInfoSpecified;
    };
    if (given())
        return true;
    if (m_customerDialog)
        m_customerDialog->exec();
    if (given())
        return true;
    m_seams.ui.MessageBox(
        QStringLiteral("Для выполнения заказа требуется указать пользовательские данные."),
        QStringLiteral("Ошибка"), MessageButtons::Ok, MessageIcon::Error);
    return false;
}

void OrderCommands::completeOrder()
{
    if (m_order.lineCount() <= 0) {
        m_seams.ui.MessageBox(QStringLiteral("Вы ничего не заказали!"), QStringLiteral("Заказ"),
                              MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    if (!ensureCustomerDetails())
        return;
    m_orderDocumentDialog.Filter = QString::fromUtf8(kOrderDocumentFilter);
    const std::optional<QString> chosen =
        ChooseFileToSave(m_seams.ui, m_orderDocumentDialog, OrderDocumentPath);
    if (!chosen)
        return;
    const QString& path = *chosen;
    m_orderDocumentDialog.FileName = path;
    const double priceFactor = m_prices.priceFactor();
    try {
        WriteOrderDocument(FileSystemPath(path),
                           OrderDocumentText(m_order.lines(), priceFactor,
                                             m_order.totalTexts(priceFactor, m_systemFormat),
                                             m_customerDialog->details(), m_seams.clock.Now(),
                                             m_systemFormat));
    } catch (const std::exception& error) {
        // No preview of an older file of that name: the user would take it for this order.
        ShowFileError(m_seams.ui, error);
        return;
    }
    if (m_previewDialog)
        m_previewDialog->showDocument(path);
}
