#pragma once

#include "core/seams/Interaction.h"

#include <QObject>

class CustomerDialog;
class OrderPreviewDialog;
class OrderView;
class QuantityDialog;
struct CatalogueEntry;
struct OrderItem;

// What the user does with the order: adds, changes and deletes its lines,
// starts a new one, opens and saves order files and completes the order into
// its document. The order is the one in the shared state; `view` shows it.
class OrderCommands : public QObject
{
    Q_OBJECT
public:
    OrderCommands(OrderView& view, QObject* parent);

    void setDialogs(QuantityDialog* quantity, CustomerDialog* customer,
                    OrderPreviewDialog* preview);

    // Whether the order changed since it was last opened or saved.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    void addProduct(const CatalogueEntry& entry);
    void changeSelectedLine();
    void deleteSelectedLine();

    void newOrder();
    void openOrder();
    bool saveOrder(); // true when the order is in a file
    // Asks whether to save a changed order before the window closes; true
    // when it may close.
    bool confirmClose();
    void completeOrder();

private:
    OrderItem* selectedLine();
    bool ensureCustomerDetails();

    OrderView& m_view;
    QuantityDialog* m_quantityDialog = nullptr;
    CustomerDialog* m_customerDialog = nullptr;
    OrderPreviewDialog* m_previewDialog = nullptr;
    bool m_modified = false;
    FileDialogOptions m_openOrderDialog;
    FileDialogOptions m_saveOrderDialog;
    FileDialogOptions m_orderDocumentDialog;
};
