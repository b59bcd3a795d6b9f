#include "gui/GridPainting.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

GridCellDelegate::GridCellDelegate(QTableView* grid, QColor dataBackground,
                                   std::set<int> rightAlignedColumns)
    : QStyledItemDelegate(grid), m_grid(grid), m_dataBackground(dataBackground),
      m_rightAligned(std::move(rightAlignedColumns))
{}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    const QModelIndex current = m_grid->currentIndex();
    const bool selectedRow = current.isValid() && current.row() == index.row();
    // With whole-row selection the current cell is the first of the row. The
    // grid counts as focused while it is its window's active control, also
    // while a dialog over the window has the keyboard.
    const bool currentCell =
        selectedRow && index.column() == 0 && m_grid->window()->focusWidget() == m_grid;

    QColor background = m_dataBackground;
    if (selectedRow)
        background = currentCell ? currentCellColour() : selectedRowColour();
    painter->fillRect(option.rect, background);

    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setPen(Qt::black);
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(2, 2, -2, 0);
    const Qt::Alignment alignment =
        (m_rightAligned.count(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
    painter->drawText(textRect, static_cast<int>(alignment | Qt::TextSingleLine), text);
    painter->restore();
}

void SetUpStringGrid(QTableView* grid)
{
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(24);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setFrameShape(QFrame::Box);
}
