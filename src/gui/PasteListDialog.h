#pragma once

#include <QDialog>
#include <cstdint>

class ArticleCodeIndex;
class IUserInteraction;
class Order;
class OrderHistory;
class PastedListModel;
class QPlainTextEdit;
class QPushButton;
class QTableView;

// "Вставка списка товаров": a list of article codes and quantities, typed,
// pasted or loaded from a file, with a table of what adding each line would
// do. "Добавить" adds the valid lines to the order as one step and leaves the
// refused ones in the box to be mended; the dialog closes when none is left.
class PasteListDialog : public QDialog
{
    Q_OBJECT
public:
    // The lines are judged against `order` and added through `history`.
    PasteListDialog(const Order& order, OrderHistory& history, IUserInteraction& ui,
                    QWidget* parent = nullptr);

    void setListText(const QString& text);
    // The products whose codes the lines name; until it is given, the
    // dialog shows the busy pointer and judges nothing.
    void setCatalogue(const ArticleCodeIndex& catalogue);
    // How many lines were added or merged while the dialog was open.
    int32_t addedLines() const { return m_addedLines; }

    // The largest file "Из файла…" loads.
    static constexpr qint64 kLargestFile = 4 * 1024 * 1024;

private:
    void review();
    void addLines();
    void loadFile();

    const ArticleCodeIndex* m_catalogue = nullptr;
    const Order& m_order;
    OrderHistory& m_history;
    IUserInteraction& m_ui;
    PastedListModel* m_model;
    QPlainTextEdit* m_text;
    QTableView* m_table;
    QPushButton* m_addButton;
    int32_t m_addedLines = 0;
};
