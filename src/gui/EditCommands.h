#pragma once

#include "core/seams/Seams.h"
#include "core/text/NumberFormat.h"
#include "gui/EditMenu.h"

#include <QObject>
#include <future>
#include <memory>
#include <string>

class ArticleCodeIndex;
class Catalogue;
class Order;
class OrderHistory;
class OrderView;
class PasteListDialog;
class QWidget;

// The "Правка" menu's commands: undo and redo of the order's changes and the
// paste of a list of products. The commands' state and tool tips follow the
// history; whoever changes the order calls refresh() afterwards.
class EditCommands : public QObject
{
    Q_OBJECT
public:
    EditCommands(const EditMenu& menu, Order& order, OrderHistory& history,
                 const Catalogue& catalogue, OrderView& view, Seams seams,
                 const TFormatSettings& systemFormat, QWidget* window);
    ~EditCommands() override;

    void undo();
    void redo();
    void pasteList();
    // Enables undo and redo when there is something to do and tells in
    // their tool tips what it is.
    void refresh();

private:
    void showChangedLine();
    // Starts reading every product of the catalogue file, by its code, on a
    // helper thread unless this version of the file was read already.
    void readCatalogueCodes();
    // Hands the codes to `dialog` once they are read.
    void giveCodesWhenRead(PasteListDialog& dialog);

    EditMenu m_menu;
    Order& m_order;
    OrderHistory& m_history;
    const Catalogue& m_catalogue;
    OrderView& m_view;
    Seams m_seams;
    TFormatSettings m_systemFormat;
    QWidget* m_window;
    std::shared_future<std::shared_ptr<const ArticleCodeIndex>> m_codes;
    std::string m_codesVersion;
};
