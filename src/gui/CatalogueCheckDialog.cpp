#include "gui/CatalogueCheckDialog.h"

#include "core/text/Cp1251.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

void AddRow(QStandardItemModel& model, const QStringList& cells)
{
    QList<QStandardItem*> row;
    for (const QString& cell : cells)
        row.append(new QStandardItem(cell));
    model.appendRow(row);
}

// One row per value that differs; the line's number and code on its first row.
void AddLine(QStandardItemModel& model, const LineDifference& difference)
{
    const QString number = QString::number(difference.line + 1);
    const QString sku = FromCp1251(difference.sku);
    if (difference.missing) {
        AddRow(model, {number, sku, QString(), QString(), QString::fromUtf8(kNotInCatalogue)});
        return;
    }
    bool first = true;
    for (const FieldChange& change : difference.changes) {
        AddRow(model, {first ? number : QString(), first ? sku : QString(),
                       QString::fromUtf8(CatalogueFieldCaption(change.field)),
                       FromCp1251(change.before), FromCp1251(change.after)});
        first = false;
    }
    if (difference.belowMinimum)
        AddRow(
            model,
            {QString(), QString(), QStringLiteral("Кол-во в заказе"),
             QString::number(difference.quantity),
             QStringLiteral("меньше нового минимума %1, не изменится").arg(difference.newMinimum)});
}

} // namespace

CatalogueCheckDialog::CatalogueCheckDialog(const std::vector<LineDifference>& differences,
                                           QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("catalogueCheckDialog"));
    setWindowTitle(QStringLiteral("Сверка с каталогом"));
    auto* model = new QStandardItemModel(0, 5, this);
    model->setHorizontalHeaderLabels({QStringLiteral("Строка"), QStringLiteral("Артикул"),
                                      QStringLiteral("Что изменилось"), QStringLiteral("Было"),
                                      QStringLiteral("Стало")});
    for (const LineDifference& difference : differences)
        AddLine(*model, difference);

    auto* table = new QTableView(this);
    table->setObjectName(QStringLiteral("differences"));
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* update =
        buttons->addButton(QStringLiteral("Обновить из каталога"), QDialogButtonBox::AcceptRole);
    update->setObjectName(QStringLiteral("updateFromCatalogue"));
    // Lines whose code is gone have nothing to take from the catalogue.
    update->setEnabled(std::ranges::any_of(
        differences, [](const LineDifference& difference) { return !difference.missing; }));
    buttons->addButton(QStringLiteral("Оставить как есть"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("keepOrder"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Эти строки заказа отличаются от сегодняшнего каталога:"), this));
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(640, 320);
}
