#pragma once

#include "core/order/PastedList.h"

#include <QAbstractTableModel>
#include <vector>

// The judged lines of a pasted list as the paste dialog's table shows them:
// the line of the text, the code, the quantity, the product's name and what
// adding the line would do.
class PastedListModel : public QAbstractTableModel
{
public:
    enum Column
    {
        LineColumn,
        CodeColumn,
        QuantityColumn,
        NameColumn,
        OutcomeColumn,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setLines(std::vector<PastedLine> lines);
    const std::vector<PastedLine>& lines() const { return m_lines; }
    bool hasValidLine() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<PastedLine> m_lines;
};
