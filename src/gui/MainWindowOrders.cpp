// The order's life cycle: new, open, save, the question on closing, and
// completing the order into its document.
#include "gui/MainWindow.h"

#include "core/order/OrderDocument.h"
#include "core/order/OrderFile.h"
#include "core/order/OrderTotals.h"
#include "core/order/SaveFileChoice.h"
#include "core/seams/Clock.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"
#include "gui/CustomerDialog.h"
#include "gui/ErrorHandler.h"
#include "gui/OrderPreviewDialog.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>

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

void MainWindow::NewOrder()
{
    if (OrderModified) {
        const MessageAnswer answer = App().Ui->MessageBox(
            QStringLiteral("При создании нового заказа все изменения в текущем будут утеряны. "
                           "Сохранить измненения?"),
            QStringLiteral("Сохранение"), MessageStyle::YesNoCancel | MessageStyle::IconQuestion);
        if (answer == MessageAnswer::Cancel)
            return;
        // An order the user wanted kept is not emptied unless it was saved.
        if (answer == MessageAnswer::Yes && !SaveOrder())
            return;
    }
    App().OrderItemCount = 0;
    RefreshOrderView();
}

bool MainWindow::SaveOrder()
{
    if (!OrderModified)
        return true;
    SaveDialog1.DefaultExtension = QString::fromUtf8(kOrderFileExtension);
    // The dialog itself adds the extension to a bare name.
    const std::optional<QString> chosen =
        ChooseFileToSave(*App().Ui, SaveDialog1, [](const QString& path) { return path; });
    if (!chosen)
        return false;
    SaveDialog1.FileName = *chosen;
    try {
        WriteOrderFile(FileSystemPath(*chosen), App().OrderItems, App().OrderItemCount);
    } catch (const std::exception& error) {
        ShowFileError(error);
        return false;
    }
    OrderModified = false;
    return true;
}

void MainWindow::OpenOrder()
{
    if (OrderModified &&
        App().Ui->MessageBox(QStringLiteral("Текущий заказ не сохранен. Открытие заказа приведет "
                                            "к потере данных. Продолжить?"),
                             QStringLiteral("Открыть"),
                             MessageStyle::YesNo | MessageStyle::IconQuestion) !=
            MessageAnswer::Yes)
        return;
    OpenDialog2.Filter = QString::fromUtf8(kOrderFileFilter);
    OpenDialog2.DefaultExtension = QString::fromUtf8(kOrderFileExtension);
    const std::optional<QString> chosen = App().Ui->OpenFileName(OpenDialog2);
    if (!chosen)
        return;
    OpenDialog2.FileName = *chosen;
    // The whole file is read and checked before the current order is touched.
    std::vector<OrderItem> items;
    try {
        items = ReadOrderFile(FileSystemPath(*chosen));
    } catch (const std::exception& error) {
        ShowFileError(error);
        return;
    }
    OrderModified = false;
    App().OrderItemCount = static_cast<int32_t>(items.size());
    App().OrderItems = std::move(items);
    RefreshOrderView();
}

bool MainWindow::FormCloseQuery()
{
    if (!OrderModified)
        return true;
    const MessageAnswer answer = App().Ui->MessageBox(
        QStringLiteral("При выходе из программы все изменения в заказе будут утеряны. Сохранить?"),
        QStringLiteral("Сохранение"), MessageStyle::YesNoCancel | MessageStyle::IconQuestion);
    if (answer == MessageAnswer::Cancel)
        return false;
    // Closing after "Yes" would lose the order if it was not saved after all.
    return answer == MessageAnswer::No || SaveOrder();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    bool mayClose = true;
    Guarded([&] { mayClose = FormCloseQuery(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void MainWindow::CompleteOrder()
{
    AppState& app = App();
    if (app.OrderItemCount <= 0) {
        app.Ui->MessageBox(QStringLiteral("Вы ничего не заказали!"), QStringLiteral("Заказ"),
                           MessageStyle::IconInformation);
        return;
    }
    if (!CustomerDetails.UserInfoSpecified) {
        if (m_customerDialog)
            m_customerDialog->exec();
        if (!CustomerDetails.UserInfoSpecified) {
            app.Ui->MessageBox(
                QStringLiteral("Для выполнения заказа требуется указать пользовательские данные."),
                QStringLiteral("Ошибка"), MessageStyle::IconError);
            return;
        }
    }
    SaveDialog2.Filter = QString::fromUtf8(kOrderDocumentFilter);
    const std::optional<QString> chosen = ChooseFileToSave(*app.Ui, SaveDialog2, OrderDocumentPath);
    if (!chosen)
        return;
    const QString& path = *chosen;
    SaveDialog2.FileName = path;

    const OrderTotalTexts totals{ToCp1251(Label6->text()), ToCp1251(Label7->text()),
                                 ToCp1251(Label8->text())};
    try {
        WriteOrderDocument(
            FileSystemPath(path),
            OrderDocumentText(
                std::span(app.OrderItems.data(), static_cast<std::size_t>(app.OrderItemCount)),
                app.PriceFactor, totals, CustomerDetails, app.Clock->Now()));
    } catch (const std::exception& error) {
        // No preview of an older file of that name: the user would take it for this order.
        ShowFileError(error);
        return;
    }
    if (m_previewWindow)
        m_previewWindow->ShowDocument(path);
}
