// Order lines: adding, changing and deleting them, and the search by
// article code under the catalogue grid.
#include "gui/MainWindow.h"

#include "core/catalogue/ArticleSearch.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "gui/CatalogueGridModel.h"
#include "gui/ErrorHandler.h"
#include "gui/OrderGridModel.h"
#include "gui/QuantityDialog.h"

#include <QLineEdit>
#include <QTableView>
#include <limits>

namespace {

void ShowQuantityRefused()
{
    App().Ui->MessageBox(QStringLiteral("Неверно указано количество товара"), AppTitle(),
                         MessageStyle::Ok);
}

} // namespace

bool MainWindow::AddSelectedProduct()
{
    AppState& app = App();
    if (app.CatalogueCount <= 0)
        return false;
    Edit2->clear();
    Edit2->hide();
    const int row = app.SelectedCatalogueRow;
    if (row < 1 || row > app.CatalogueCount || !m_quantityDialog)
        return true;
    const CatalogueEntry entry = app.CatalogueEntries[static_cast<std::size_t>(row - 1)];
    const int32_t quantity = m_quantityDialog->AskQuantity(
        entry.SKU.Str(), entry.Name.Str(), entry.MinQuantity, entry.Packing, entry.MinQuantity);
    if (quantity <= 0)
        return true;

    for (int32_t k = 0; k < app.OrderItemCount; ++k) {
        OrderItem& line = app.OrderItems[static_cast<std::size_t>(k)];
        if (line.SKU.View() != entry.SKU.View())
            continue;
        // A sum past the integer range would wrap to a negative quantity.
        if (line.Quantity > std::numeric_limits<int32_t>::max() - quantity) {
            ShowQuantityRefused();
            return true;
        }
        OrderModified = true;
        line.Quantity += quantity;
        RefreshOrderView();
        return true;
    }
    OrderModified = true;
    if (app.OrderItems.size() <= static_cast<std::size_t>(app.OrderItemCount))
        app.OrderItems.resize(static_cast<std::size_t>(app.OrderItemCount) + 1);
    app.OrderItems[static_cast<std::size_t>(app.OrderItemCount)] =
        OrderItem::FromEntry(entry, quantity);
    ++app.OrderItemCount;
    RefreshOrderView();
    return true;
}

OrderItem* MainWindow::SelectedOrderLine()
{
    AppState& app = App();
    const int row = app.SelectedOrderRow;
    if (row < 1 || row > app.OrderItemCount ||
        OrderModel->index(row - 1, 1).data().toString().isEmpty())
        return nullptr;
    return &app.OrderItems[static_cast<std::size_t>(row - 1)];
}

void MainWindow::ChangeSelectedLine()
{
    OrderItem* line = SelectedOrderLine();
    if (!line || !m_quantityDialog)
        return;
    const int32_t quantity = m_quantityDialog->AskQuantity(
        line->SKU.Str(), line->Name.Str(), line->MinQuantity, line->Packing, line->Quantity);
    if (quantity <= 0)
        return;
    OrderModified = true;
    line->Quantity = quantity;
    RefreshOrderView();
}

void MainWindow::DeleteSelectedLine()
{
    if (!SelectedOrderLine())
        return;
    if (App().Ui->MessageBox(
            QStringLiteral("Удалить выбранный товар из заказа?"), QStringLiteral("Удаление"),
            MessageStyle::YesNo | MessageStyle::IconQuestion) != MessageAnswer::Yes)
        return;
    AppState& app = App();
    const auto selected = app.OrderItems.begin() + (app.SelectedOrderRow - 1);
    std::move(selected + 1, app.OrderItems.begin() + app.OrderItemCount, selected);
    --app.OrderItemCount;
    OrderModified = true;
    RefreshOrderView();
}

void MainWindow::Edit2Change()
{
    const int found =
        FindArticle(App().CatalogueEntries, App().CatalogueCount, ToCp1251(Edit2->text()));
    if (found < 0)
        return;
    // A hit is the user's choice. Moving the grid's row reports it as a
    // selection; a hit on the row that already looks current moves nothing,
    // so it is reported here, as a click on that row would be.
    if (sg1->currentIndex().row() != found) {
        sg1->setCurrentIndex(CatalogueModel->index(found, 0));
        return;
    }
    sg1SelectCell(0, found + 1);
    sg1Click();
}

bool MainWindow::sg1KeyPress(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c == u'\r' || c == u'\n')
        return AddSelectedProduct();
    if (c == u'\b') {
        if (Edit2->text().isEmpty()) {
            Edit2->clear();
            Edit2->hide();
        } else {
            Edit2->setText(Edit2->text().chopped(1));
        }
        return true;
    }
    if (!c.isPrint())
        return false;
    Edit2->show();
    Edit2->setText(Edit2->text() + c);
    return true;
}
