#include "core/startup/AppState.h"
#include "gui/PictureFrame.h"
#include "support/MainWindowFixture.h"

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

int32_t Quantity(int line)
{
    return App().OrderItems[static_cast<std::size_t>(line - 1)].Quantity;
}

} // namespace

class OrderEntryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addingMergesByExactArticleCode()
    {
        MainWindowFixture f(Products());
        // Nothing selected yet: Enter opens no dialog.
        QTest::keyClick(f.Form1->sg1, Qt::Key_Return);
        QCOMPARE(App().OrderItemCount, 0);

        f.SelectCatalogueRow(1);
        QString offered;
        MainWindowFixture::AnswerQuantity(QStringLiteral("6"), &offered);
        QTest::keyClick(f.Form1->sg1, Qt::Key_Return);
        QCOMPARE(offered, QStringLiteral("6")); // the minimum is offered
        QCOMPARE(App().OrderItemCount, 1);
        QVERIFY(f.Form1->OrderModified);

        MainWindowFixture::AnswerQuantity(QStringLiteral("12"));
        Q_EMIT f.Form1->sg1->doubleClicked(f.Form1->sg1->currentIndex());
        QCOMPARE(App().OrderItemCount, 1);
        QCOMPARE(Quantity(1), 18);
        QCOMPARE(App().OrderItems[0].Number, 1);

        // Article codes that differ in letter case make two lines.
        f.SelectCatalogueRow(4); // sorted by code: upper case comes first
        MainWindowFixture::AnswerQuantity(QStringLiteral("1"));
        Q_EMIT f.Form1->ImageFrame1->mainImageDoubleClicked();
        QCOMPARE(App().OrderItemCount, 2);
        QCOMPARE(f.OrderCell(2, 1), QStringLiteral("ab-100"));
        QCOMPARE(f.OrderCell(1, 5), QStringLiteral("3600,00")); // 2.5 x 80 x 18
        QCOMPARE(f.Form1->Label6->text(), QStringLiteral("3680,00 руб."));
    }

    void cancelledOrZeroQuantityAddsNothing()
    {
        MainWindowFixture f(Products());
        f.SelectCatalogueRow(3);
        MainWindowFixture::AnswerQuantity(QString());
        QTest::keyClick(f.Form1->sg1, Qt::Key_Return);
        QCOMPARE(App().OrderItemCount, 0);
        QVERIFY(!f.Form1->OrderModified);
    }

    void aMergePastTheIntegerRangeIsRefused()
    {
        MainWindowFixture f(Products());
        App().OrderItems = {OrderItem::FromEntry(App().CatalogueEntries[2],
                                                 std::numeric_limits<int32_t>::max() - 5)};
        App().OrderItemCount = 1;
        f.Form1->RefreshOrderView();
        f.SelectCatalogueRow(3);
        MainWindowFixture::AnswerQuantity(QStringLiteral("10"));
        QTest::keyClick(f.Form1->sg1, Qt::Key_Return);
        QCOMPARE(Quantity(1), std::numeric_limits<int32_t>::max() - 5);
        QVERIFY(!f.Form1->OrderModified);
        QCOMPARE(f.Env.Ui.Messages.size(), 1u);
        QCOMPARE(f.Env.Ui.Messages[0].Text, QStringLiteral("Неверно указано количество товара"));
        QCOMPARE(f.Env.Ui.Messages[0].Style, 0);
    }

    void changingAndDeletingLines()
    {
        MainWindowFixture f(Products());
        App().OrderItems = {OrderItem::FromEntry(App().CatalogueEntries[0], 6),
                            OrderItem::FromEntry(App().CatalogueEntries[2], 2),
                            OrderItem::FromEntry(App().CatalogueEntries[3], 3)};
        App().OrderItemCount = 3;
        f.Form1->RefreshOrderView();

        f.SelectOrderRow(2);
        QString offered;
        MainWindowFixture::AnswerQuantity(QStringLiteral("2"), &offered);
        QTest::keyClick(f.Form1->sg2, Qt::Key_Return);
        QCOMPARE(offered, QStringLiteral("2"));
        QVERIFY(f.Form1->OrderModified); // the same quantity still counts as a change
        f.Form1->OrderModified = false;

        f.Env.Ui.MessageAnswers = {MessageAnswer::No};
        QTest::keyClick(f.Form1->sg2, Qt::Key_Delete);
        QCOMPARE(f.Env.Ui.Messages.back().Text,
                 QStringLiteral("Удалить выбранный товар из заказа?"));
        QCOMPARE(f.Env.Ui.Messages.back().Caption, QStringLiteral("Удаление"));
        QCOMPARE(f.Env.Ui.Messages.back().Style, 36);
        QCOMPARE(App().OrderItemCount, 3);
        QVERIFY(!f.Form1->OrderModified);

        f.Env.Ui.MessageAnswers = {MessageAnswer::Yes};
        f.Form1->Button5->click();
        QCOMPARE(App().OrderItemCount, 2);
        QCOMPARE(f.OrderCell(2, 0), QStringLiteral("2"));
        QCOMPARE(f.OrderCell(2, 1), QStringLiteral("ab-100"));

        // Deleting the selected last line moves the selection to the new last row.
        f.SelectOrderRow(2);
        f.Env.Ui.MessageAnswers = {MessageAnswer::Yes};
        QTest::keyClick(f.Form1->sg2, Qt::Key_Delete);
        QCOMPARE(App().SelectedOrderRow, 1);
        f.Env.Ui.MessageAnswers = {MessageAnswer::Yes};
        QTest::keyClick(f.Form1->sg2, Qt::Key_Delete);
        QCOMPARE(App().OrderItemCount, 0);
        QCOMPARE(f.Form1->sg2->model()->rowCount(), 1);
        // On the blank row Enter and Delete do nothing.
        const auto asked = f.Env.Ui.Messages.size();
        QTest::keyClick(f.Form1->sg2, Qt::Key_Delete);
        QTest::keyClick(f.Form1->sg2, Qt::Key_Return);
        QCOMPARE(f.Env.Ui.Messages.size(), asked);
        QCOMPARE(f.Form1->Label7->text(), QStringLiteral("0,00 м.куб."));
    }

    void typingOnTheCatalogueSearchesArticleCodes()
    {
        MainWindowFixture f(Products());
        f.SelectCatalogueRow(3);
        QTest::keyClicks(f.Form1->sg1, QStringLiteral("ab"));
        QVERIFY(f.Form1->Edit2->isVisible());
        QCOMPARE(f.Form1->Edit2->text(), QStringLiteral("ab"));
        QCOMPARE(App().SelectedCatalogueRow, 1); // the first code holding AB
        QCOMPARE(f.Form1->focusWidget(), f.Form1->sg1);

        QTest::keyClicks(f.Form1->sg1, QStringLiteral("-9"));
        QCOMPARE(App().SelectedCatalogueRow, 3); // XAB-9 holds AB-9
        QTest::keyClicks(f.Form1->sg1, QStringLiteral("x"));
        QCOMPARE(App().SelectedCatalogueRow, 3); // no match: the selection stays

        for (int i = 0; i < 5; ++i)
            QTest::keyClick(f.Form1->sg1, Qt::Key_Backspace);
        QVERIFY(f.Form1->Edit2->isVisible());
        QVERIFY(f.Form1->Edit2->text().isEmpty());
        QTest::keyClick(f.Form1->sg1, Qt::Key_Backspace);
        QVERIFY(!f.Form1->Edit2->isVisible());

        QCOMPARE(App().SelectedCatalogueRow, 1);
        QTest::keyClicks(f.Form1->sg1, QStringLiteral("xab"));
        QCOMPARE(App().SelectedCatalogueRow, 3);
        QTest::keyClick(f.Form1->sg1, Qt::Key_Up);
        QVERIFY(!f.Form1->Edit2->isVisible());
        QCOMPARE(App().SelectedCatalogueRow, 2);
    }

    void aSearchHitOnTheRowThatLooksCurrentSelectsIt()
    {
        std::vector<TestProduct> products = Products();
        products[0].Image = "a.jpg";
        MainWindowFixture f(products);
        QCOMPARE(App().SelectedCatalogueRow, 0); // row 1 only looks current
        QTest::keyClicks(f.Form1->sg1, QStringLiteral("ab"));
        QCOMPARE(App().SelectedCatalogueRow, 1);
        QCOMPARE(f.Form1->PendingCatalogueImages, std::string("a.jpg"));

        MainWindowFixture::AnswerQuantity(QStringLiteral("12"));
        QTest::keyClick(f.Form1->sg1, Qt::Key_Return);
        QCOMPARE(App().OrderItemCount, 1);
        QCOMPARE(f.OrderCell(1, 1), QStringLiteral("AB-100"));
        QCOMPARE(Quantity(1), 12);
    }
};

QTEST_MAIN(OrderEntryTest)
#include "OrderEntry_test.moc"
