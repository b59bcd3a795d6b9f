#pragma once

#include "core/seams/Interaction.h"
#include "core/seams/Seams.h"
#include "core/text/NumberFormat.h"

#include <QObject>

class CustomerDialog;
class Order;
class Prices;

// Файл → "Экспорт заказа…": the order as an Excel workbook or a CSV file for
// the wholesaler, with the totals the window shows. The file is replaced as
// a whole; a failure is reported and leaves the previous file as it was.
class ExportCommand : public QObject
{
    Q_OBJECT
public:
    ExportCommand(const Order& order, const Prices& prices, Seams seams,
                  const TFormatSettings& systemFormat, QObject* parent);

    // The customer's details for the heading.
    void setCustomerDialog(CustomerDialog* customer) { m_customerDialog = customer; }
    void exportOrder();

private:
    const Order& m_order;
    const Prices& m_prices;
    Seams m_seams;
    TFormatSettings m_format;
    CustomerDialog* m_customerDialog = nullptr;
    FileDialogOptions m_dialog;
};
