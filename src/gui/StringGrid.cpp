#include "gui/StringGrid.h"

#include "gui/GridHeader.h"
#include "gui/GridPainting.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <utility>

StringGrid::StringGrid(QAbstractItemModel* model, std::vector<int> columnWidths, QWidget* parent)
    : QTableView(parent), m_columnWidths(std::move(columnWidths))
{
    setHorizontalHeader(new GridHeader(this));
    setModel(model);
    SetUpStringGrid(this);
    applyColumnWidths();
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                m_rowMovedByPress = m_pressing;
                if (!m_silentSelection && current.isValid())
                    reportRow(current);
            });
    // A click on the row that already looks current selects it too; one that
    // moved the row was reported with the move.
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (!std::exchange(m_rowMovedByPress, false))
            reportRow(index);
    });
    // Connected first, so it is known before the other receivers run.
    connect(this, &QTableView::doubleClicked, this, [this] { m_doubleClickReported = true; });
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this] { Q_EMIT doubleClicked(currentIndex()); });
}

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    m_rowMovedByPress = false;
    m_pressing = true;
    QTableView::mousePressEvent(event);
    m_pressing = false;
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_doubleClickReported = false;
    QTableView::mouseDoubleClickEvent(event);
    // The view reports only a double click on the cell that its first click
    // pressed; the grid's double click acts on the current row wherever it lands.
    if (!m_doubleClickReported && event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked(currentIndex());
}

void StringGrid::setDataBackground(QColor background)
{
    setItemDelegate(new GridCellDelegate(this, background, {3, 4, 5}));
}

void StringGrid::refill(const std::function<void()>& reset)
{
    const QModelIndex before = currentIndex();
    const int previousRow = before.isValid() ? before.row() : 0;
    m_silentSelection = true;
    reset();
    const int lastRow = model()->rowCount() - 1;
    const int row = std::min(previousRow, lastRow);
    // Only a row that really moved is reported, as a selection would be.
    m_silentSelection = row == previousRow;
    setCurrentIndex(model()->index(row, 0));
    m_silentSelection = false;
    applyColumnWidths();
}

void StringGrid::applyColumnWidths()
{
    for (std::size_t column = 0; column < m_columnWidths.size(); ++column)
        setColumnWidth(static_cast<int>(column), m_columnWidths[column]);
}

void StringGrid::reportRow(const QModelIndex& index)
{
    Q_EMIT rowChosen(index.row() + 1);
}
