#pragma once

#include "core/text/NumberFormat.h"

#include <QObject>

class Catalogue;
class IUserInteraction;
class Order;
class OrderHistory;
class Prices;
class QWidget;

// Файл → "Сверить с каталогом", also run after every opened order: the lines
// are compared with the whole catalogue file, whatever name filter is in
// force. When some differ, the dialog lists them and may take the
// catalogue's values as one undoable step; when none does, nothing appears.
class CatalogueCheckCommand : public QObject
{
    Q_OBJECT
public:
    CatalogueCheckCommand(const Catalogue& catalogue, const Prices& prices, const Order& order,
                          OrderHistory& history, const TFormatSettings& systemFormat,
                          QWidget* window);

    void check();

Q_SIGNALS:
    // The order's lines took the catalogue's values.
    void orderChanged();

private:
    const Catalogue& m_catalogue;
    const Prices& m_prices;
    const Order& m_order;
    OrderHistory& m_history;
    TFormatSettings m_format;
    QWidget* m_window;
};
