#include "gui/PastedListModel.h"

#include "core/text/Cp1251.h"

#include <QColor>
#include <algorithm>
#include <utility>

void PastedListModel::setLines(std::vector<PastedLine> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

bool PastedListModel::hasValidLine() const
{
    return std::any_of(m_lines.begin(), m_lines.end(),
                       [](const PastedLine& line) { return line.valid(); });
}

int PastedListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

int PastedListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PastedListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const PastedLine& line = m_lines[static_cast<std::size_t>(index.row())];
    if (role == Qt::ForegroundRole && index.column() == OutcomeColumn && !line.valid())
        return QColor(Qt::red);
    if (role == Qt::TextAlignmentRole &&
        (index.column() == LineColumn || index.column() == QuantityColumn))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case LineColumn:
        return line.textLine;
    case CodeColumn:
        return FromCp1251(line.code);
    case QuantityColumn:
        return FromCp1251(line.quantityText);
    case NameColumn:
        return line.product ? FromCp1251(line.product->Name.View()) : QString();
    case OutcomeColumn:
        return FromCp1251(PasteOutcomeText(line));
    default:
        return {};
    }
}

QVariant PastedListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case LineColumn:
        return QStringLiteral("Строка");
    case CodeColumn:
        return QStringLiteral("Артикул");
    case QuantityColumn:
        return QStringLiteral("Количество");
    case NameColumn:
        return QStringLiteral("Наименование");
    case OutcomeColumn:
        return QStringLiteral("Результат");
    default:
        return {};
    }
}
