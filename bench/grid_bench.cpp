// Filling the catalogue grid with 100,000 products: the model reset and the
// first paint, against filling an item model cell by cell (the way a grid
// of widget items would be filled) in the same run.
#include "BenchTiming.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/text/Cp1251.h"
#include "gui/CatalogueGridModel.h"
#include "gui/GridPainting.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

Catalogue MakeCatalogue(int count)
{
    std::vector<CatalogueEntry> entries(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        CatalogueEntry& entry = entries[static_cast<std::size_t>(i)];
        entry.Number = i + 1;
        entry.SKU.Assign("AB-" + std::to_string(10000 + i));
        entry.Name.Assign(Cp("Кружка керамическая подарочная №") + std::to_string(i));
        entry.Price = 1.25 + i % 100;
        entry.MinQuantity = 6;
        entry.Weight = 0.35;
    }
    Catalogue catalogue;
    catalogue.replaceEntries(std::move(entries));
    return catalogue;
}

// The program's way: a reset of the model over the catalogue, then a paint.
double FillModelGrid(QTableView& grid, CatalogueGridModel& model)
{
    const auto start = Clock::now();
    model.refill();
    grid.setCurrentIndex(model.index(0, 0));
    // The view lays its rows out on the next pass of the event loop; the
    // grab then renders every visible cell.
    QCoreApplication::processEvents();
    (void)grid.grab();
    return Milliseconds(Clock::now() - start);
}

// The baseline: every cell copied into an item of its own, then a paint.
double FillItemGrid(QTableView& grid, const CatalogueGridModel& source, int rows)
{
    const auto start = Clock::now();
    auto* items = new QStandardItemModel(rows, 6, &grid);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < 6; ++column)
            items->setItem(row, column,
                           new QStandardItem(source.index(row, column).data().toString()));
    QAbstractItemModel* old = grid.model();
    grid.setModel(items);
    delete old;
    QCoreApplication::processEvents();
    (void)grid.grab();
    return Milliseconds(Clock::now() - start);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int products = 100000;
    const Catalogue catalogue = MakeCatalogue(products);
    const Prices prices(90.5, 1, 90.5);

    QTableView modelGrid;
    CatalogueGridModel model(catalogue, prices, TFormatSettings());
    modelGrid.setModel(&model);
    SetUpStringGrid(&modelGrid);
    modelGrid.setItemDelegate(new GridCellDelegate(&modelGrid, Qt::white, {3, 4, 5}));
    modelGrid.resize(686, 208);
    modelGrid.show();

    QTableView itemGrid;
    SetUpStringGrid(&itemGrid);
    itemGrid.setModel(new QStandardItemModel(&itemGrid));
    itemGrid.resize(686, 208);
    itemGrid.show();

    std::vector<double> modelTimes;
    std::vector<double> itemTimes;
    for (int run = 0; run < 5; ++run) {
        modelTimes.push_back(FillModelGrid(modelGrid, model));
        itemTimes.push_back(FillItemGrid(itemGrid, model, products));
    }
    const double modelMs = Median(modelTimes);
    const double itemMs = Median(itemTimes);
    std::printf("catalogue grid fill, %d products (median of %zu runs)\n", products,
                modelTimes.size());
    std::printf("  model reset + first paint: %8.2f ms\n", modelMs);
    std::printf("  item per cell + paint:     %8.2f ms (baseline)\n", itemMs);
    std::printf("  ratio baseline / model:    %8.1f x\n", itemMs / modelMs);
    return 0;
}
