// The two grids of the main window: filling them, their selection and keys.
#include "gui/MainWindow.h"

#include "core/order/OrderTotals.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "gui/CatalogueGridModel.h"
#include "gui/ErrorHandler.h"
#include "gui/GridPainting.h"
#include "gui/OrderGridModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QTableView>

namespace {

template <std::size_t N> void ApplyColumnWidths(QTableView* grid, const int (&widths)[N])
{
    for (std::size_t column = 0; column < N; ++column)
        grid->setColumnWidth(static_cast<int>(column), widths[column]);
}

} // namespace

void MainWindow::SetUpGrids()
{
    CatalogueModel = new TCatalogueGridModel(this);
    OrderModel = new TOrderGridModel(this);
    sg1->setModel(CatalogueModel);
    sg2->setModel(OrderModel);
    for (QTableView* grid : {sg1, sg2})
        SetUpStringGrid(grid);
    sg1->setItemDelegate(
        new TGridCellDelegate(sg1, sg1->palette().color(QPalette::Base), {3, 4, 5}));
    sg2->setItemDelegate(new TGridCellDelegate(sg2, Qt::white, {3, 4, 5}));
    ApplyColumnWidths(sg1, TCatalogueGridModel::kColumnWidths);
    ApplyColumnWidths(sg2, TOrderGridModel::kColumnWidths);

    connect(sg1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_silentSelection || !current.isValid())
                    return;
                Guarded([&] {
                    sg1SelectCell(current.column(), current.row() + 1);
                    sg1Click();
                });
            });
    connect(sg2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_silentSelection || !current.isValid())
                    return;
                Guarded([&] {
                    sg2SelectCell(current.column(), current.row() + 1);
                    sg2Click();
                });
            });
    // A click on the row that already looks current selects it too.
    connect(sg1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        Guarded([&] {
            sg1SelectCell(index.column(), index.row() + 1);
            sg1Click();
        });
    });
    connect(sg2, &QTableView::clicked, this, [this](const QModelIndex& index) {
        Guarded([&] {
            sg2SelectCell(index.column(), index.row() + 1);
            sg2Click();
        });
    });
    sg1->installEventFilter(this);
    sg2->installEventFilter(this);
    Edit2->installEventFilter(this);
}

void MainWindow::RefillKeepingRow(QTableView* grid, const std::function<void()>& reset)
{
    const QModelIndex before = grid->currentIndex();
    const int previousRow = before.isValid() ? before.row() : 0;
    m_silentSelection = true;
    reset();
    const int lastRow = grid->model()->rowCount() - 1;
    const int row = std::min(previousRow, lastRow);
    // Only a row that really moved is reported, as a selection would be.
    m_silentSelection = row == previousRow;
    grid->setCurrentIndex(grid->model()->index(row, 0));
    m_silentSelection = false;
}

void MainWindow::FillCatalogueGrid()
{
    RefillKeepingRow(sg1, [this] { CatalogueModel->Refill(); });
    ApplyColumnWidths(sg1, TCatalogueGridModel::kColumnWidths);
    const AppState& app = App();
    StatusPanel->setText(QStringLiteral("Каталог товаров от ") + FromCp1251(app.DBTimeStamp) +
                         QStringLiteral(", позиций: ") + QString::number(app.CatalogueCount) +
                         QStringLiteral(". Файл: ") + FromCp1251(app.DBPath));
    sg1Click();
}

void MainWindow::RefreshOrderView()
{
    RefillKeepingRow(sg2, [this] { OrderModel->Refill(); });
    ApplyColumnWidths(sg2, TOrderGridModel::kColumnWidths);
    const AppState& app = App();
    const OrderTotals totals = OrderTotals::Of(app.OrderItems, app.OrderItemCount, app.PriceFactor);
    Label6->setText(FromCp1251(totals.MoneyText()));
    Label7->setText(FromCp1251(totals.VolumeText()));
    Label8->setText(FromCp1251(totals.WeightText()));
}

void MainWindow::sg1SelectCell(int, int row)
{
    App().SelectedCatalogueRow = row;
}

void MainWindow::sg2SelectCell(int, int row)
{
    App().SelectedOrderRow = row;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    bool consumed = false;
    Guarded([&] {
        if (watched == sg1) {
            // Moving through the catalogue ends a search by article code.
            if (arrow) {
                Edit2->clear();
                Edit2->hide();
            } else if (keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
                consumed = false;
            } else {
                consumed =
                    sg1KeyPress(key == Qt::Key_Enter || key == Qt::Key_Return ? QStringLiteral("\r")
                                : key == Qt::Key_Backspace                    ? QStringLiteral("\b")
                                                                              : keyEvent->text());
            }
        } else if (watched == sg2) {
            if (key == Qt::Key_Enter || key == Qt::Key_Return) {
                ChangeSelectedLine();
                consumed = true;
            } else if (key == Qt::Key_Delete) {
                DeleteSelectedLine();
                consumed = true;
            }
        } else if (watched == Edit2 && key == Qt::Key_Up) {
            sg1->setFocus();
            consumed = true;
        }
    });
    return consumed || QMainWindow::eventFilter(watched, event);
}
