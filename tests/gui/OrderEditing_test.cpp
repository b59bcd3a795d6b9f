#include "support/MainWindowFixture.h"
#include "support/OrderLines.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

std::vector<TestProduct> Products()
{
    std::vector<TestProduct> products = {Product("AB-1", "Кружка"), Product("CD-2", "Ваза"),
                                         Product("EF-3", "Тарелка"), Product("KL-4", "Чашка"),
                                         Product("kl-4", "Чашка малая")};
    products[2].MinQuantity = 6;
    return products;
}

// The paste dialog's table as text: one row a line, its cells after the line
// number joined by "|".
QStringList TableRows(QDialog* dialog)
{
    const QAbstractItemModel* model =
        dialog->findChild<QTableView*>(QStringLiteral("ListTable"))->model();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

QPushButton* DialogButton(QDialog* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QLatin1StringView(name));
}

// Opens the paste dialog over `clipboard` and runs `inside` on it.
bool Paste(MainWindowFixture& f, const QString& clipboard,
           const std::function<void(QDialog*)>& inside)
{
    QGuiApplication::clipboard()->setText(clipboard);
    ModalScript script(QStringLiteral("paste"), inside);
    f.Action("PasteListCommand")->trigger();
    return script.succeeded();
}

QStringList OrderCodes(const MainWindowFixture& f)
{
    QStringList codes;
    for (const OrderItem& line : f.Env.Order.lines())
        codes << FromCp1251(line.SKU.View()) + u' ' + QString::number(line.Quantity);
    return codes;
}

void ActivateWindow(MainWindowFixture& f)
{
    QApplication::setActiveWindow(&f.Window);
    QVERIFY(QTest::qWaitForWindowActive(&f.Window));
}

} // namespace

class OrderEditingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editMenu()
    {
        MainWindowFixture f;
        const QList<QAction*> menus = f.Window.menuBar()->actions();
        QCOMPARE(menus[1]->text(), QStringLiteral("Правка"));
        QStringList items;
        for (const QAction* item : menus[1]->menu()->actions())
            items << item->text() + u' ' + item->shortcuts().value(0).toString() +
                         (item->shortcuts().size() > 1 ? u' ' + item->shortcuts()[1].toString()
                                                       : QString());
        QCOMPARE(items,
                 (QStringList{QStringLiteral("Отменить Ctrl+Z"),
                              QStringLiteral("Повторить Ctrl+Y Ctrl+Shift+Z"), QStringLiteral(" "),
                              QStringLiteral("Вставить список товаров… Ctrl+Shift+V")}));
        QVERIFY(!f.Action("UndoCommand")->isEnabled());
        QVERIFY(!f.Action("RedoCommand")->isEnabled());
    }

    void pastedListIsOneStep()
    {
        MainWindowFixture f(Products());
        QVERIFY(Paste(f, QStringLiteral("Артикул\tКоличество\nAB-1\t2\ncd-2;3\n\nEF-3 6\n"),
                      [](QDialog* dialog) {
                          QCOMPARE(dialog->windowTitle(), QStringLiteral("Вставка списка товаров"));
                          QTRY_COMPARE(
                              TableRows(dialog),
                              (QStringList{QStringLiteral("2|AB-1|2|Кружка|будет добавлено"),
                                           QStringLiteral("3|cd-2|3|Ваза|будет добавлено"),
                                           QStringLiteral("5|EF-3|6|Тарелка|будет добавлено")}));
                          DialogButton(dialog, "AddButton")->click();
                      }));
        QCOMPARE(OrderCodes(f), (QStringList{QStringLiteral("AB-1 2"), QStringLiteral("CD-2 3"),
                                             QStringLiteral("EF-3 6")}));
        QCOMPARE(f.OrderCell(3, 1), QStringLiteral("EF-3"));
        QAction* undo = f.Action("UndoCommand");
        QAction* redo = f.Action("RedoCommand");
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->toolTip(), QStringLiteral("Отменить: вставка списка товаров"));

        // The keys act on the order wherever no text box has the focus.
        ActivateWindow(f); // the offscreen platform leaves it inactive after a dialog
        QTest::keyClick(f.Grid("sg1"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.Env.Order.lineCount(), 0);
        QVERIFY(f.Env.Order.isModified());
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->toolTip(), QStringLiteral("Повторить: вставка списка товаров"));
        QTest::keyClick(f.Grid("sg2"), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.Env.Order.lineCount(), 3);
        QCOMPARE(f.OrderCell(2, 1), QStringLiteral("CD-2"));
        QCOMPARE(f.SelectedOrderRow(), 1); // the first line the step changed
        QVERIFY(!redo->isEnabled());
        QCOMPARE(redo->toolTip(), QStringLiteral("Повторить"));
    }

    void refusedLinesStayInTheBox()
    {
        MainWindowFixture f(Products());
        ReplaceOrder(f, {OrderItem::FromEntry(f.Env.Catalogue.entries()[0], 1)}, false);
        QVERIFY(Paste(
            f, QStringLiteral("ZZ-9 1\nKl-4 1\nEF-3 2\nAB-1 4\nCD-2 x\n"), [&](QDialog* dialog) {
                QTRY_COMPARE(
                    TableRows(dialog),
                    (QStringList{QStringLiteral("1|ZZ-9|1||нет в каталоге"),
                                 QStringLiteral("2|Kl-4|1||неоднозначный артикул"),
                                 QStringLiteral("3|EF-3|2|Тарелка|меньше минимума (6)"),
                                 QStringLiteral("4|AB-1|4|Кружка|будет объединено со строкой 1"),
                                 QStringLiteral("5|CD-2|x|Ваза|неверное количество")}));
                DialogButton(dialog, "AddButton")->click();
                QVERIFY(dialog->isVisible());
                auto* text = dialog->findChild<QPlainTextEdit*>();
                QCOMPARE(text->toPlainText(), QStringLiteral("ZZ-9 1\nKl-4 1\nEF-3 2\nCD-2 x"));
                QVERIFY(!DialogButton(dialog, "AddButton")->isEnabled());
                // The mended line is judged as it is typed.
                text->setPlainText(QStringLiteral("EF-3 12"));
                QCOMPARE(TableRows(dialog),
                         QStringList(QStringLiteral("1|EF-3|12|Тарелка|будет добавлено")));
                DialogButton(dialog, "CancelButton")->click();
            }));
        QCOMPARE(OrderCodes(f), QStringList(QStringLiteral("AB-1 5")));
        QCOMPARE(f.OrderCell(1, 4), QStringLiteral("5"));
    }

    void listFromFile()
    {
        MainWindowFixture f(Products());
        // Windows-1251 with a Russian header, as a spreadsheet saves it.
        f.Env.Write(QStringLiteral("list.csv"), "\xe0\xf0\xf2\xe8\xea\xf3\xeb;\xea\xee\xeb\r\n"
                                                "AB-1;3\r\n");
        f.Env.Ui.OpenAnswers = {f.Env.Path(QStringLiteral("list.csv")),
                                f.Env.Path(QStringLiteral("missing.txt"))};
        QVERIFY(Paste(f, QString(), [&](QDialog* dialog) {
            DialogButton(dialog, "FromFileButton")->click();
            QCOMPARE(f.Env.Ui.OpenDialogs.back().Filter,
                     QStringLiteral("Списки товаров (*.csv *.txt)|*.csv *.txt"));
            auto* text = dialog->findChild<QPlainTextEdit*>();
            QCOMPARE(text->toPlainText(), QStringLiteral("артикул;кол\nAB-1;3\n"));
            DialogButton(dialog, "FromFileButton")->click();
            QCOMPARE(f.Env.Ui.Messages.size(), 1u);
            QVERIFY(f.Env.Ui.Messages[0].Text.startsWith(QStringLiteral("Не удалось прочитать")));
            QCOMPARE(text->toPlainText(), QStringLiteral("артикул;кол\nAB-1;3\n"));
            QTRY_VERIFY(DialogButton(dialog, "AddButton")->isEnabled());
            DialogButton(dialog, "AddButton")->click();
        }));
        QCOMPARE(OrderCodes(f), QStringList(QStringLiteral("AB-1 3")));
    }

    void unreadableCatalogueFile()
    {
        MainWindowFixture f(Products());
        const QString relative = QStringLiteral("home/PelmoraDB/telvarin.db");
        const QByteArray catalogue = GuiTestEnvironment::Read(f.Env.Path(relative));
        f.Env.Write(relative, QByteArray(4096, 'x'));
        QGuiApplication::clipboard()->setText(QStringLiteral("AB-1 1"));
        f.Action("PasteListCommand")->trigger();
        QCOMPARE(f.Env.Ui.Messages.size(), 1u); // the error, and no dialog
        // The file is read again once it is mended.
        f.Env.Write(relative, catalogue);
        QVERIFY(Paste(f, QStringLiteral("AB-1 1"), [](QDialog* dialog) {
            QTRY_VERIFY(DialogButton(dialog, "AddButton")->isEnabled());
            DialogButton(dialog, "AddButton")->click();
        }));
        QCOMPARE(OrderCodes(f), QStringList(QStringLiteral("AB-1 1")));
    }

    void undoOfADeleteAndTheTextBoxesOwnUndo()
    {
        MainWindowFixture f(Products());
        ActivateWindow(f);
        const std::vector<CatalogueEntry>& products = f.Env.Catalogue.entries();
        ReplaceOrder(
            f, {OrderItem::FromEntry(products[0], 1), OrderItem::FromEntry(products[1], 2)}, false);
        f.SelectOrderRow(1);
        f.Env.Ui.MessageAnswers = {MessageAnswer::Yes};
        QTest::keyClick(f.Grid("sg2"), Qt::Key_Delete);
        QCOMPARE(OrderCodes(f), QStringList(QStringLiteral("CD-2 2")));
        QAction* undo = f.Action("UndoCommand");
        QCOMPARE(undo->toolTip(), QStringLiteral("Отменить: удаление строки AB-1"));

        // In the name filter the keys undo and redo the typing, not the order.
        QLineEdit* filter = f.Edit("Edit1");
        filter->setFocus();
        QTest::keyClicks(filter, QStringLiteral("tea"));
        QTest::keyClick(filter, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(filter->text(), QString());
        QTest::keyClick(filter, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(filter->text(), QStringLiteral("tea"));
        QCOMPARE(f.Env.Order.lineCount(), 1);

        undo->trigger();
        QCOMPARE(OrderCodes(f), (QStringList{QStringLiteral("AB-1 1"), QStringLiteral("CD-2 2")}));
        QCOMPARE(f.OrderCell(1, 1), QStringLiteral("AB-1"));
        QCOMPARE(f.Label("Label6")->text(), QStringLiteral("240,00 руб.")); // (1 + 2) x 80
        QCOMPARE(f.SelectedOrderRow(), 1);
        QCOMPARE(f.Action("RedoCommand")->toolTip(),
                 QStringLiteral("Повторить: удаление строки AB-1"));
        QTest::keyClick(f.Grid("sg2"), Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(OrderCodes(f), QStringList(QStringLiteral("CD-2 2")));
    }
};

QTEST_MAIN(OrderEditingTest)
#include "OrderEditing_test.moc"
