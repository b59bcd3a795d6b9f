#pragma once

#include "core/seams/Interaction.h"
#include "core/seams/Seams.h"
#include "core/text/NumberFormat.h"

#include <QObject>

class CustomerDialog;
class Order;
class OrderHistory;
class OrderPreviewDialog;
class OrderView;
class Prices;
class QuantityDialog;
struct CatalogueEntry;
struct OrderItem;

// What the user does with the order: adds, changes and deletes its lines,
// starts a new one, opens and saves order files and completes the order into
// its document. Every change of the lines goes through `history`, so it can
// be taken back. `view` shows the order and knows the selected line.
class OrderCommands : public QObject
{
    Q_OBJECT
public:
    OrderCommands(Order& order, OrderHistory& history, const Prices& prices, OrderView& view,
                  Seams seams, const TFormatSettings& systemFormat, QObject* parent);

    void setDialogs(QuantityDialog* quantity, CustomerDialog* customer,
                    OrderPreviewDialog* preview);

    void addProduct(const CatalogueEntry& entry);
    void changeSelectedLine();
    void deleteSelectedLine();

    void newOrder();
    // Asks for an order file and opens it.
    void openOrder();
    // Opens the order file at `path` as openOrder does once the file is
    // chosen: the unsaved-changes question first, then the file's checks.
    void openOrderFile(const QString& path);
    bool saveOrder(); // true when the order is in a file
    // Asks whether to save a changed order before the window closes; true
    // when it may close.
    bool confirmClose();
    void completeOrder();

Q_SIGNALS:
    // An order file was saved or opened.
    void orderFileUsed(const QString& path);
    // An order was read from a file and replaced the one in the window.
    void orderOpened();
    // The order's lines changed and are shown afresh.
    void linesChanged();

private:
    // False when the user keeps a changed order rather than lose it.
    bool mayReplaceOrder();
    void loadOrderFile(const QString& path);
    void showLines();
    // The 0-based index of the selected line; -1 when none or a blank one is.
    int32_t selectedLine() const;
    bool ensureCustomerDetails();

    Order& m_order;
    OrderHistory& m_history;
    const Prices& m_prices;
    OrderView& m_view;
    Seams m_seams;
    TFormatSettings m_systemFormat;
    QuantityDialog* m_quantityDialog = nullptr;
    CustomerDialog* m_customerDialog = nullptr;
    OrderPreviewDialog* m_previewDialog = nullptr;
    FileDialogOptions m_openOrderDialog;
    FileDialogOptions m_saveOrderDialog;
    FileDialogOptions m_orderDocumentDialog;
};
