// The baseline of rest_memory_bench: the barest Qt Widgets program with a
// table, a main window holding a table view over a few rows, nothing else.
//
//   bare_window <title>
#include <QApplication>
#include <QMainWindow>
#include <QStandardItemModel>
#include <QTableView>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bare"));
    QStandardItemModel model(5, 9);
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column)
            model.setItem(row, column,
                          new QStandardItem(QStringLiteral("%1:%2").arg(row).arg(column)));
    }
    auto* table = new QTableView(&window);
    table->setModel(&model);
    window.setCentralWidget(table);
    window.resize(720, 600);
    window.show();
    return QApplication::exec();
}
