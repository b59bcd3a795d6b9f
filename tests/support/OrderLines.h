#pragma once

#include "app/AppState.h"
#include "app/TForm1.h"
#include "order/OrderFile.h"

#include <QByteArray>

// Makes the order the lines of the first `count` catalogue products, with
// quantities 3, 1, 8, and shows it.
inline void SetTestOrder(TForm1& form1, int count, bool modified)
{
    static const int quantities[] = {3, 1, 8};
    App().OrderItems.clear();
    for (int k = 0; k < count; ++k)
        App().OrderItems.push_back(OrderItem::FromEntry(
            App().CatalogueEntries[static_cast<std::size_t>(k)], quantities[k]));
    App().OrderItemCount = count;
    form1.OrderModified = modified;
    form1.RefreshOrderView();
}

// The current order as the bytes of its file, for comparing states.
inline QByteArray CurrentOrderBytes()
{
    return QByteArray::fromStdString(OrderFileContent(App().OrderItems, App().OrderItemCount));
}
