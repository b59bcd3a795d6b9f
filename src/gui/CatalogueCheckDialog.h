#pragma once

#include "core/order/CatalogueCheck.h"

#include <QDialog>
#include <vector>

// "Сверка с каталогом": the order lines that differ from today's catalogue,
// each with its old and new values or "нет в каталоге". Accepted with
// "Обновить из каталога", rejected with "Оставить как есть".
class CatalogueCheckDialog : public QDialog
{
    Q_OBJECT
public:
    CatalogueCheckDialog(const std::vector<LineDifference>& differences, QWidget* parent);
};
