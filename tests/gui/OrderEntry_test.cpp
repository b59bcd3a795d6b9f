#include "gui/PictureFrame.h"
#include "support/MainWindowFixture.h"
#include "support/OrderLines.h"

#include <QLabel>
#include <QTableView>
#include <QtTest>
#include <limits>

namespace {

std::vector<TestProduct> Products()
{
    std::vector<TestProduct> products = {
        Product("AB-100", "Кружка белая", 2.5), Product("ab-100", "Кружка строчная", 1),
        Product("CD-300", "Ваза", 10), Product("XAB-9", "Тарелка", 3)};
    products[0].MinQuantity = 6;
    products[0].Packing = 24;
    return products;
}

int32_t Quantity(const MainWindowFixture& f, int line)
{
    return f.Env.Order.lines()[static_cast<std::size_t>(line - 1)].Quantity;
}

} // namespace

class OrderEntryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addingMergesByExactArticleCode()
    {
        MainWindowFixture f(Products());
        QTableView* catalogue = f.Grid("sg1");
        // Nothing selected yet: Enter opens no dialog.
        QTest::keyClick(catalogue, Qt::Key_Return);
        QCOMPARE(f.Env.Order.lineCount(), 0);

        f.SelectCatalogueRow(1);
        QString offered;
        QVERIFY(f.AnswerQuantity(
            QStringLiteral("6"), [&] { QTest::keyClick(catalogue, Qt::Key_Return); }, &offered));
        QCOMPARE(offered, QStringLiteral("6")); // the minimum is offered
        QCOMPARE(f.Env.Order.lineCount(), 1);
        QVERIFY(f.Env.Order.isModified());

        QVERIFY(f.AnswerQuantity(QStringLiteral("12"), [&] {
            Q_EMIT catalogue->doubleClicked(catalogue->currentIndex());
        }));
        QCOMPARE(f.Env.Order.lineCount(), 1);
        QCOMPARE(Quantity(f, 1), 18);
        QCOMPARE(f.Env.Order.lines()[0].Number, 1);

        // Article codes that differ in letter case make two lines.
        f.SelectCatalogueRow(4); // sorted by code: upper case comes first
        QVERIFY(f.AnswerQuantity(QStringLiteral("1"), [&] {
            Q_EMIT f.Frame("ImageFrame1")->mainPictureDoubleClicked();
        }));
        QCOMPARE(f.Env.Order.lineCount(), 2);
        QCOMPARE(f.OrderCell(2, 1), QStringLiteral("ab-100"));
        QCOMPARE(f.OrderCell(1, 5), QStringLiteral("3600,00")); // 2.5 x 80 x 18
        QCOMPARE(f.Label("Label6")->text(), QStringLiteral("3680,00 руб."));
    }

    void cancelledOrZeroQuantityAddsNothing()
    {
        MainWindowFixture f(Products());
        f.SelectCatalogueRow(3);
        QVERIFY(
            f.AnswerQuantity(QString(), [&] { QTest::keyClick(f.Grid("sg1"), Qt::Key_Return); }));
        QCOMPARE(f.Env.Order.lineCount(), 0);
        QVERIFY(!f.Env.Order.isModified());
    }

    void aMergePastTheIntegerRangeIsRefused()
    {
        MainWindowFixture f(Products());
        ReplaceOrder(f,
                     {OrderItem::FromEntry(f.Env.Catalogue.entries()[2],
                                           std::numeric_limits<int32_t>::max() - 5)},
                     false);
        f.SelectCatalogueRow(3);
        QVERIFY(f.AnswerQuantity(QStringLiteral("10"),
                                 [&] { QTest::keyClick(f.Grid("sg1"), Qt::Key_Return); }));
        QCOMPARE(Quantity(f, 1), std::numeric_limits<int32_t>::max() - 5);
        QVERIFY(!f.Env.Order.isModified());
        QCOMPARE(f.Env.Ui.Messages.size(), 1u);
        QCOMPARE(f.Env.Ui.Messages[0].Text, QStringLiteral("Неверно указано количество товара"));
        QCOMPARE(f.Env.Ui.Messages[0].Style, 0);
    }

    void changingAndDeletingLines()
    {
        MainWindowFixture f(Products());
        const std::vector<CatalogueEntry>& products = f.Env.Catalogue.entries();
        ReplaceOrder(f,
                     {OrderItem::FromEntry(products[0], 6), OrderItem::FromEntry(products[2], 2),
                      OrderItem::FromEntry(products[3], 3)},
                     false);
        QTableView* order = f.Grid("sg2");

        f.SelectOrderRow(2);
        QString offered;
        QVERIFY(f.AnswerQuantity(
            QStringLiteral("2"), [&] { QTest::keyClick(order, Qt::Key_Return); }, &offered));
        QCOMPARE(offered, QStringLiteral("2"));
        QVERIFY(f.Env.Order.isModified()); // the same quantity still counts as a change
        MarkOrderSaved(f);

        f.Env.Ui.MessageAnswers = {MessageAnswer::No};
        QTest::keyClick(order, Qt::Key_Delete);
        QCOMPARE(f.Env.Ui.Messages.back().Text,
                 QStringLiteral("Удалить выбранный товар из заказа?"));
        QCOMPARE(f.Env.Ui.Messages.back().Caption, QStringLiteral("Удаление"));
        QCOMPARE(f.Env.Ui.Messages.back().Style, 36);
        QCOMPARE(f.Env.Order.lineCount(), 3);
        QVERIFY(!f.Env.Order.isModified());

        f.Env.Ui.MessageAnswers = {MessageAnswer::Yes};
        f.Button("Button5")->click();
        QCOMPARE(f.Env.Order.lineCount(), 2);
        QCOMPARE(f.OrderCell(2, 0), QStringLiteral("2"));
        QCOMPARE(f.OrderCell(2, 1), QStringLiteral("ab-100"));

        // Deleting the selected last line moves the selection to the new last row.
        f.SelectOrderRow(2);
        f.Env.Ui.MessageAnswers = {MessageAnswer::Yes};
        QTest::keyClick(order, Qt::Key_Delete);
        QCOMPARE(f.SelectedOrderRow(), 1);
        f.Env.Ui.MessageAnswers = {MessageAnswer::Yes};
        QTest::keyClick(order, Qt::Key_Delete);
        QCOMPARE(f.Env.Order.lineCount(), 0);
        QCOMPARE(order->model()->rowCount(), 1);
        // On the blank row Enter and Delete do nothing.
        const auto asked = f.Env.Ui.Messages.size();
        QTest::keyClick(order, Qt::Key_Delete);
        QTest::keyClick(order, Qt::Key_Return);
        QCOMPARE(f.Env.Ui.Messages.size(), asked);
        QCOMPARE(f.Label("Label7")->text(), QStringLiteral("0,00 м.куб."));
    }

    // A double click anywhere on a grid, below its rows too, acts on its
    // current row; a click on another order line shows its pictures once.
    void mouseOnTheGrids()
    {
        MainWindowFixture f(Products());
        ReplaceOrder(f,
                     {OrderItem::FromEntry(f.Env.Catalogue.entries()[0], 6),
                      OrderItem::FromEntry(f.Env.Catalogue.entries()[2], 2)},
                     false);
        const auto belowTheRows = [](QTableView* grid) {
            return QPoint(40, grid->rowViewportPosition(grid->model()->rowCount() - 1) + 30);
        };
        QTableView* catalogue = f.Grid("sg1");
        f.SelectCatalogueRow(2);
        QVERIFY(f.AnswerQuantity(QStringLiteral("1"), [&] {
            QTest::mouseDClick(catalogue->viewport(), Qt::LeftButton, {}, belowTheRows(catalogue));
        }));
        QCOMPARE(f.OrderCell(3, 1), QStringLiteral("CD-300"));

        QTableView* order = f.Grid("sg2");
        f.SelectOrderRow(1);
        QVERIFY(f.AnswerQuantity(QStringLiteral("9"), [&] {
            QTest::mouseDClick(order->viewport(), Qt::LeftButton, {}, belowTheRows(order));
        }));
        QCOMPARE(Quantity(f, 1), 9);

        const PictureFrame* lower = f.Frame("ImageFrame2");
        const auto rowCentre = [order](int row) {
            return order->visualRect(order->model()->index(row - 1, 1)).center();
        };
        for (int row : {2, 2}) {
            const int before = lower->listsShown();
            QTest::mouseClick(order->viewport(), Qt::LeftButton, {}, rowCentre(row));
            QCOMPARE(f.SelectedOrderRow(), row);
            QCOMPARE(lower->listsShown(), before + 1);
        }
    }

    void typingOnTheCatalogueSearchesArticleCodes()
    {
        MainWindowFixture f(Products());
        QTableView* catalogue = f.Grid("sg1");
        QLineEdit* search = f.Edit("Edit2");
        f.SelectCatalogueRow(3);
        QTest::keyClicks(catalogue, QStringLiteral("ab"));
        QVERIFY(search->isVisible());
        QCOMPARE(search->text(), QStringLiteral("ab"));
        QCOMPARE(f.SelectedCatalogueRow(), 1); // the first code holding AB
        QCOMPARE(f.Window.focusWidget(), catalogue);

        QTest::keyClicks(catalogue, QStringLiteral("-9"));
        QCOMPARE(f.SelectedCatalogueRow(), 3); // XAB-9 holds AB-9
        QTest::keyClicks(catalogue, QStringLiteral("x"));
        QCOMPARE(f.SelectedCatalogueRow(), 3); // no match: the selection stays

        for (int i = 0; i < 5; ++i)
            QTest::keyClick(catalogue, Qt::Key_Backspace);
        QVERIFY(search->isVisible());
        QVERIFY(search->text().isEmpty());
        QTest::keyClick(catalogue, Qt::Key_Backspace);
        QVERIFY(!search->isVisible());

        QCOMPARE(f.SelectedCatalogueRow(), 1);
        QTest::keyClicks(catalogue, QStringLiteral("xab"));
        QCOMPARE(f.SelectedCatalogueRow(), 3);
        QTest::keyClick(catalogue, Qt::Key_Up);
        QVERIFY(!search->isVisible());
        QCOMPARE(f.SelectedCatalogueRow(), 2);
    }

    void aSearchHitOnTheRowThatLooksCurrentSelectsIt()
    {
        std::vector<TestProduct> products = Products();
        products[0].Image = "a.jpg";
        MainWindowFixture f(products);
        QTableView* catalogue = f.Grid("sg1");
        QCOMPARE(f.SelectedCatalogueRow(), 0); // row 1 only looks current
        QTest::keyClicks(catalogue, QStringLiteral("ab"));
        QCOMPARE(f.SelectedCatalogueRow(), 1);
        QCOMPARE(f.Pictures()->pendingCataloguePictures(), std::string("a.jpg"));

        QVERIFY(f.AnswerQuantity(QStringLiteral("12"),
                                 [&] { QTest::keyClick(catalogue, Qt::Key_Return); }));
        QCOMPARE(f.Env.Order.lineCount(), 1);
        QCOMPARE(f.OrderCell(1, 1), QStringLiteral("AB-100"));
        QCOMPARE(Quantity(f, 1), 12);
    }
};

QTEST_MAIN(OrderEntryTest)
#include "OrderEntry_test.moc"
