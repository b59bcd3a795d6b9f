#include "gui/OrderView.h"

#include "core/catalogue/Prices.h"
#include "core/order/Order.h"
#include "core/text/Cp1251.h"
#include "gui/OrderGridModel.h"
#include "gui/StringGrid.h"
#include "gui/WidgetPlacement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <iterator>

namespace {

QLabel* PlaceLabel(const QString& text, QWidget* parent, int x, int y, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

OrderView::OrderView(const Order& order, const Prices& prices, const TFormatSettings& systemFormat,
                     QWidget* parent)
    : QGroupBox(QStringLiteral(" Ваш заказ "), parent), m_order(order), m_prices(prices),
      m_format(systemFormat), m_model(new OrderGridModel(order, prices, systemFormat, this))
{
    Named(this, "GroupBox2");
    m_grid = Named(new StringGrid(m_model,
                                  {std::begin(OrderGridModel::kColumnWidths),
                                   std::end(OrderGridModel::kColumnWidths)},
                                  this),
                   "sg2");
    m_grid->setGeometry(16, 28, 686, 186);
    createTotals();
    // Hidden: Enter and Delete on the grid do their work.
    auto* changeButton = Named(new QPushButton(QStringLiteral("change"), this), "Button8");
    changeButton->setGeometry(3, 15, 62, 25);
    auto* deleteButton = Named(new QPushButton(QStringLiteral("del"), this), "Button5");
    deleteButton->setGeometry(3, 40, 62, 25);
    changeButton->hide();
    deleteButton->hide();
    m_grid->setDataBackground(Qt::white);

    connect(changeButton, &QPushButton::clicked, this, &OrderView::changeLineRequested);
    connect(deleteButton, &QPushButton::clicked, this, &OrderView::deleteLineRequested);
    connect(m_grid, &QTableView::doubleClicked, this, &OrderView::changeLineRequested);
    connect(m_grid, &StringGrid::rowChosen, this, &OrderView::selectRow);
    m_grid->installEventFilter(this);
}

void OrderView::createTotals()
{
    PlaceLabel(QStringLiteral("Объем:"), this, 16, 220);
    m_volumeTotalLabel = Named(PlaceLabel(QStringLiteral("0"), this, 60, 220), "Label7");
    PlaceLabel(QStringLiteral("Вес:"), this, 220, 220);
    m_weightTotalLabel = Named(PlaceLabel(QStringLiteral("0"), this, 248, 220), "Label8");
    PlaceLabel(QStringLiteral("Сумма:"), this, 440, 220, true);
    m_moneyTotalLabel = Named(PlaceLabel(QStringLiteral("0"), this, 488, 220, true), "Label6");
    for (QLabel* total : {m_moneyTotalLabel, m_volumeTotalLabel, m_weightTotalLabel})
        total->setMinimumWidth(150);
}

void OrderView::refill()
{
    m_grid->refill([this] { m_model->refill(); });
    // The order document prints the same texts from the same function.
    const OrderTotalTexts totals = m_order.totalTexts(m_prices.priceFactor(), m_format);
    m_moneyTotalLabel->setText(FromCp1251(totals.Money));
    m_volumeTotalLabel->setText(FromCp1251(totals.Volume));
    m_weightTotalLabel->setText(FromCp1251(totals.Weight));
}

void OrderView::showLine(int index)
{
    const QModelIndex cell = m_model->index(index, 0);
    if (!cell.isValid())
        return;
    // A move is reported by the grid; the row it already has is reported here.
    if (m_grid->currentIndex().row() == index)
        selectRow(index + 1);
    else
        m_grid->setCurrentIndex(cell);
}

void OrderView::focusGrid()
{
    m_grid->setFocus();
}

bool OrderView::isGridFocused() const
{
    return window()->focusWidget() == m_grid;
}

void OrderView::selectRow(int row)
{
    m_selectedRow = row;
    Q_EMIT lineSelected();
}

bool OrderView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_grid || event->type() != QEvent::KeyPress)
        return QGroupBox::eventFilter(watched, event);
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (key == Qt::Key_Enter || key == Qt::Key_Return) {
        Q_EMIT changeLineRequested();
        return true;
    }
    if (key == Qt::Key_Delete) {
        Q_EMIT deleteLineRequested();
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}
