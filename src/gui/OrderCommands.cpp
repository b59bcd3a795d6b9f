#include "gui/OrderCommands.h"

#include "core/order/OrderDocument.h"
#include "core/order/OrderFile.h"
#include "core/order/SaveFileChoice.h"
#include "core/seams/Clock.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"
#include "gui/CustomerDialog.h"
#include "gui/ErrorHandler.h"
#include "gui/OrderPreviewDialog.h"
#include "gui/OrderView.h"
#include "gui/QuantityDialog.h"

#include <QFile>
#include <limits>

namespace {

std::filesystem::path FileSystemPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

void ShowFileError(const std::exception& error)
{
    App().Ui->MessageBox(FromCp1251(ExceptionText(error)), QStringLiteral("Ошибка"),
                         MessageStyle::Ok | MessageStyle::IconError);
}

} // namespace

OrderCommands::OrderCommands(OrderView& view, QObject* parent) : QObject(parent), m_view(view) {}

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
    AppState& app = App();
    const int32_t quantity = m_quantityDialog->askQuantity(
        entry.SKU.Str(), entry.Name.Str(), entry.MinQuantity, entry.Packing, entry.MinQuantity);
    if (quantity <= 0)
        return;

    for (int32_t k = 0; k < app.OrderItemCount; ++k) {
        OrderItem& line = app.OrderItems[static_cast<std::size_t>(k)];
        if (line.SKU.View() != entry.SKU.View())
            continue;
        // A sum past the integer range would wrap to a negative quantity.
        if (line.Quantity > std::numeric_limits<int32_t>::max() - quantity) {
            App().Ui->MessageBox(QStringLiteral("Неверно указано количество товара"), AppTitle(),
                                 MessageStyle::Ok);
            return;
        }
        m_modified = true;
        line.Quantity += quantity;
        m_view.refill();
        return;
    }
    m_modified = true;
    if (app.OrderItems.size() <= static_cast<std::size_t>(app.OrderItemCount))
        app.OrderItems.resize(static_cast<std::size_t>(app.OrderItemCount) + 1);
    app.OrderItems[static_cast<std::size_t>(app.OrderItemCount)] =
        OrderItem::FromEntry(entry, quantity);
    ++app.OrderItemCount;
    m_view.refill();
}

OrderItem* OrderCommands::selectedLine()
{
    AppState& app = App();
    const int row = app.SelectedOrderRow;
    if (row < 1 || row > app.OrderItemCount)
        return nullptr;
    OrderItem& line = app.OrderItems[static_cast<std::size_t>(row - 1)];
    // A line without an article code shows as a blank row.
    return line.SKU.View().empty() ? nullptr : &line;
}

void OrderCommands::changeSelectedLine()
{
    OrderItem* line = selectedLine();
    if (!line || !m_quantityDialog)
        return;
    const int32_t quantity = m_quantityDialog->askQuantity(
        line->SKU.Str(), line->Name.Str(), line->MinQuantity, line->Packing, line->Quantity);
    if (quantity <= 0)
        return;
    m_modified = true;
    line->Quantity = quantity;
    m_view.refill();
}

void OrderCommands::deleteSelectedLine()
{
    if (!selectedLine())
        return;
    if (App().Ui->MessageBox(
            QStringLiteral("Удалить выбранный товар из заказа?"), QStringLiteral("Удаление"),
            MessageStyle::YesNo | MessageStyle::IconQuestion) != MessageAnswer::Yes)
        return;
    AppState& app = App();
    const auto selected = app.OrderItems.begin() + (app.SelectedOrderRow - 1);
    std::move(selected + 1, app.OrderItems.begin() + app.OrderItemCount, selected);
    --app.OrderItemCount;
    m_modified = true;
    m_view.refill();
}

void OrderCommands::newOrder()
{
    if (m_modified) {
        const MessageAnswer answer = App().Ui->MessageBox(
            QStringLiteral("При создании нового заказа все изменения в текущем будут утеряны. "
                           "Сохранить измненения?"),
            QStringLiteral("Сохранение"), MessageStyle::YesNoCancel | MessageStyle::IconQuestion);
        if (answer == MessageAnswer::Cancel)
            return;
        // An order the user wanted kept is not emptied unless it was saved.
        if (answer == MessageAnswer::Yes && !saveOrder())
            return;
    }
    App().OrderItemCount = 0;
    m_view.refill();
}

bool OrderCommands::saveOrder()
{
    if (!m_modified)
        return true;
    m_saveOrderDialog.DefaultExtension = QString::fromUtf8(kOrderFileExtension);
    // The dialog itself adds the extension to a bare name.
    const std::optional<QString> chosen =
        ChooseFileToSave(*App().Ui, m_saveOrderDialog, [](const QString& path) { return path; });
    if (!chosen)
        return false;
    m_saveOrderDialog.FileName = *chosen;
    try {
        WriteOrderFile(FileSystemPath(*chosen), App().OrderItems, App().OrderItemCount);
    } catch (const std::exception& error) {
        ShowFileError(error);
        return false;
    }
    m_modified = false;
    return true;
}

void OrderCommands::openOrder()
{
    if (m_modified && App().Ui->MessageBox(
                          QStringLiteral("Текущий заказ не сохранен. Открытие заказа приведет "
                                         "к потере данных. Продолжить?"),
                          QStringLiteral("Открыть"),
                          MessageStyle::YesNo | MessageStyle::IconQuestion) != MessageAnswer::Yes)
        return;
    m_openOrderDialog.Filter = QString::fromUtf8(kOrderFileFilter);
    m_openOrderDialog.DefaultExtension = QString::fromUtf8(kOrderFileExtension);
    const std::optional<QString> chosen = App().Ui->OpenFileName(m_openOrderDialog);
    if (!chosen)
        return;
    m_openOrderDialog.FileName = *chosen;
    // The whole file is read and checked before the current order is touched.
    std::vector<OrderItem> items;
    try {
        items = ReadOrderFile(FileSystemPath(*chosen));
    } catch (const std::exception& error) {
        ShowFileError(error);
        return;
    }
    m_modified = false;
    App().OrderItemCount = static_cast<int32_t>(items.size());
    App().OrderItems = std::move(items);
    m_view.refill();
}

bool OrderCommands::confirmClose()
{
    if (!m_modified)
        return true;
    const MessageAnswer answer = App().Ui->MessageBox(
        QStringLiteral("При выходе из программы все изменения в заказе будут утеряны. Сохранить?"),
        QStringLiteral("Сохранение"), MessageStyle::YesNoCancel | MessageStyle::IconQuestion);
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
    App().Ui->MessageBox(
        QStringLiteral("Для выполнения заказа требуется указать пользовательские данные."),
        QStringLiteral("Ошибка"), MessageStyle::IconError);
    return false;
}

void OrderCommands::completeOrder()
{
    AppState& app = App();
    if (app.OrderItemCount <= 0) {
        app.Ui->MessageBox(QStringLiteral("Вы ничего не заказали!"), QStringLiteral("Заказ"),
                           MessageStyle::IconInformation);
        return;
    }
    if (!ensureCustomerDetails())
        return;
    m_orderDocumentDialog.Filter = QString::fromUtf8(kOrderDocumentFilter);
    const std::optional<QString> chosen =
        ChooseFileToSave(*app.Ui, m_orderDocumentDialog, OrderDocumentPath);
    if (!chosen)
        return;
    const QString& path = *chosen;
    m_orderDocumentDialog.FileName = path;
    try {
        WriteOrderDocument(
            FileSystemPath(path),
            OrderDocumentText(
                std::span(app.OrderItems.data(), static_cast<std::size_t>(app.OrderItemCount)),
                app.PriceFactor, m_view.shownTotals(), m_customerDialog->details(),
                app.Clock->Now()));
    } catch (const std::exception& error) {
        // No preview of an older file of that name: the user would take it for this order.
        ShowFileError(error);
        return;
    }
    if (m_previewDialog)
        m_previewDialog->showDocument(path);
}
