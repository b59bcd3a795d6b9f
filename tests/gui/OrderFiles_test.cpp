#include "core/order/OrderFile.h"
#include "gui/OrderFileRequests.h"
#include "support/MainWindowFixture.h"
#include "support/ModalScript.h"
#include "support/TestCatalogue.h"

#include <QFile>
#include <QMenu>
#include <QtTest>

namespace {

const std::vector<TestProduct> kProducts = {Product("AB-1", "Кружка", 2.5),
                                            Product("CD-2", "Ваза", 10)};

// The entries of "Недавние заказы" before its separator.
QList<QAction*> RecentEntries(const MainWindowFixture& f)
{
    QList<QAction*> entries;
    for (QAction* action : f.Window.findChild<QMenu*>(QStringLiteral("recentOrders"))->actions()) {
        if (action->isSeparator())
            break;
        entries.append(action);
    }
    return entries;
}

// An order file of one line of the first product, 4 pieces, as the catalogue had it.
QString WriteOneLineOrder(MainWindowFixture& f, const QString& name)
{
    const QString path = f.Env.Path(name);
    WriteOrderFile(QFile::encodeName(path).toStdString(),
                   {OrderItem::FromEntry(f.Env.Catalogue.entries().at(0), 4)}, 1);
    return path;
}

void AddLine(MainWindowFixture& f, int product, int quantity)
{
    f.Env.History.add(f.Env.Catalogue.entries().at(static_cast<std::size_t>(product)), quantity);
    f.Window.showOrder();
}

} // namespace

class OrderFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savedOrderIsRecentAndReopens()
    {
        MainWindowFixture f(kProducts);
        AddLine(f, 0, 3);
        const QString path = f.Env.Path(QStringLiteral("first.order"));
        f.Env.Ui.SaveAnswers = {path};
        f.Action("N4")->trigger();
        QVERIFY(!f.Env.Order.isModified());

        QList<QAction*> entries = RecentEntries(f);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0]->text(), QStringLiteral("first.order"));
        QCOMPARE(entries[0]->toolTip(), path);

        f.Action("N2")->trigger(); // a new, empty order
        QCOMPARE(f.Env.Order.lineCount(), 0);
        entries[0]->trigger();
        QCOMPARE(f.Env.Order.lineCount(), 1);
        QCOMPARE(f.Env.Order.line(0)->Quantity, 3);
        QVERIFY(f.Env.Ui.Messages.empty());
    }

    void missingRecentFileIsNamedAndLeavesTheList()
    {
        MainWindowFixture f(kProducts);
        const QString kept = WriteOneLineOrder(f, QStringLiteral("kept.order"));
        const QString gone = WriteOneLineOrder(f, QStringLiteral("gone.order"));
        for (const QString& path : {kept, gone}) {
            f.Env.Ui.OpenAnswers = {path};
            f.Action("N3")->trigger();
        }
        QCOMPARE(RecentEntries(f).size(), 2);
        QFile::remove(gone);
        f.Env.Order.clear();

        RecentEntries(f).at(0)->trigger(); // the newest: gone.order
        QCOMPARE(f.Env.Order.lineCount(), 0);
        QCOMPARE(f.Env.Ui.Messages.size(), 1u);
        QVERIFY(f.Env.Ui.Messages[0].Text.contains(gone));
        const QList<QAction*> entries = RecentEntries(f);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0]->toolTip(), kept);
    }

    void changedPricesAreOfferedAfterOpening_data()
    {
        QTest::addColumn<bool>("update");
        QTest::newRow("update from the catalogue") << true;
        QTest::newRow("keep as it is") << false;
    }
    void changedPricesAreOfferedAfterOpening()
    {
        QFETCH(bool, update);
        MainWindowFixture f(kProducts);
        const QString path = WriteOneLineOrder(f, QStringLiteral("old.order"));
        WriteTestCatalogue(f.Env.Path(QStringLiteral("home/PelmoraDB/telvarin.db")),
                           {Product("AB-1", "Кружка", 3), Product("CD-2", "Ваза", 10)},
                           "02.12.2026 10:00:00", "1");

        QStringList shown;
        ModalScript script(QStringLiteral("check"), [&](QDialog* dialog) {
            shown << dialog->windowTitle();
            const QAbstractItemModel* model =
                dialog->findChild<QTableView*>(QStringLiteral("differences"))->model();
            shown << model->index(0, 1).data().toString() << model->index(0, 3).data().toString()
                  << model->index(0, 4).data().toString();
            dialog
                ->findChild<QPushButton*>(update ? QStringLiteral("updateFromCatalogue")
                                                 : QStringLiteral("keepOrder"))
                ->click();
        });
        f.Env.Ui.OpenAnswers = {path};
        f.Action("N3")->trigger();
        QVERIFY(script.succeeded());
        QCOMPARE(shown, QStringList({QStringLiteral("Сверка с каталогом"), QStringLiteral("AB-1"),
                                     QStringLiteral("200,00"), QStringLiteral("240,00")}));

        QCOMPARE(f.Env.Order.line(0)->Price, update ? 3.0 : 2.5);
        QCOMPARE(f.Env.Order.line(0)->Quantity, 4);
        QCOMPARE(f.Env.History.canUndo(), update);
        // 4 pieces at 200 or 240 roubles.
        QVERIFY(f.Label("Label6")->text().startsWith(update ? QStringLiteral("960")
                                                            : QStringLiteral("800")));
        QCOMPARE(f.OrderCell(1, 3).contains(QStringLiteral("240")), update);

        // Once taken, nothing differs: the check asks nothing.
        if (update)
            f.Action("checkCatalogue")->trigger();
        QVERIFY(f.Env.Ui.Messages.empty());
    }

    void rateShowsItsOriginAndAge()
    {
        MainWindowFixture f(kProducts); // the rate typed at start: 80
        auto* label = f.Window.findChild<QLabel*>(QStringLiteral("euroRateLabel"));
        QCOMPARE(label->text(),
                 QStringLiteral("Курс евро: 80,00 руб. (введён вручную 07.03.2026)"));
        QVERIFY(label->toolTip().isEmpty());
        const QColor normal = label->palette().color(QPalette::WindowText);

        // Four days on, the same rate confirmed keeps its date and is stale.
        f.Env.Clock.Value = f.Env.Clock.Value.addDays(4);
        f.Env.Ui.InputAnswers = {QStringLiteral("80")};
        f.Action("N12")->trigger();
        QCOMPARE(label->text(),
                 QStringLiteral("Курс евро: 80,00 руб. (введён вручную 07.03.2026)"));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(label->toolTip().contains(QStringLiteral("4 дн.")));

        // A new rate is today's.
        f.Env.Ui.InputAnswers = {QStringLiteral("90,5")};
        f.Action("N12")->trigger();
        QCOMPARE(label->text(),
                 QStringLiteral("Курс евро: 90,50 руб. (введён вручную 11.03.2026)"));
        QCOMPARE(label->palette().color(QPalette::WindowText), normal);
        QVERIFY(label->toolTip().isEmpty());
    }

    void exportWritesWhatTheWindowShows()
    {
        MainWindowFixture f(kProducts);
        AddLine(f, 0, 3);
        AddLine(f, 1, 2);
        const QString csv = f.Env.Path(QStringLiteral("zakaz.csv"));
        const QString xlsx = f.Env.Path(QStringLiteral("zakaz"));
        f.Env.Ui.SaveAnswers = {csv, xlsx};
        f.Action("exportOrder")->trigger();
        f.Action("exportOrder")->trigger();
        QVERIFY(f.Env.Ui.Messages.empty());
        QCOMPARE(f.Env.Ui.SaveDialogs[0].Filter,
                 QStringLiteral("Книга Excel (*.xlsx)|*.xlsx|CSV для Excel (*.csv)|*.csv"));

        const QByteArray text = GuiTestEnvironment::Read(csv);
        QVERIFY(text.startsWith("\xEF\xBB\xBF"));
        const QStringList rows = QString::fromUtf8(text.mid(3)).split(QStringLiteral("\r\n"));
        const QString total = f.Label("Label6")->text().section(QLatin1Char(' '), 0, -2);
        QVERIFY(rows.filter(QStringLiteral("AB-1;")).size() == 1);
        QVERIFY(rows.filter(QStringLiteral("CD-2;")).size() == 1);
        const QStringList totals = rows.filter(QStringLiteral("Итого:"));
        QCOMPARE(totals.size(), 1);
        QVERIFY2(totals[0].contains(total), qPrintable(totals[0] + QStringLiteral(" / ") + total));
        // A bare name becomes a workbook, a zip archive.
        QVERIFY(GuiTestEnvironment::Read(xlsx + QStringLiteral(".xlsx")).startsWith("PK"));

        // A folder that is not there: reported, nothing written.
        const QString lost = f.Env.Path(QStringLiteral("no-such-folder/zakaz.csv"));
        f.Env.Ui.SaveAnswers = {lost};
        f.Action("exportOrder")->trigger();
        QCOMPARE(f.Env.Ui.Messages.size(), 1u);
        QVERIFY(f.Env.Ui.Messages[0].Text.contains(lost));
        QVERIFY(!QFile::exists(lost));
    }

    void fileAskedFromOutsideOpensOnceServed()
    {
        MainWindowFixture f(kProducts);
        const QString path = WriteOneLineOrder(f, QStringLiteral("outside.order"));
        OrderFileRequests& requests = f.Window.fileRequests();
        requests.requestFile(path);
        QCOMPARE(f.Env.Order.lineCount(), 0);
        requests.startServing();
        QCOMPARE(f.Env.Order.lineCount(), 1);
        QCOMPARE(RecentEntries(f).at(0)->toolTip(), path);

        // Not under a modal window of the program: once it has closed.
        f.Env.Order.clear();
        QDialog modal(&f.Window);
        int linesWhileOpen = -1;
        QTimer::singleShot(0, &modal, [&] {
            requests.requestFile(path);
            QTest::qWait(300);
            linesWhileOpen = f.Env.Order.lineCount();
            modal.accept();
        });
        modal.exec();
        QCOMPARE(linesWhileOpen, 0);
        QTRY_COMPARE(f.Env.Order.lineCount(), 1);

        // A changed order is not given up unasked.
        AddLine(f, 1, 2);
        f.Env.Ui.MessageAnswers = {MessageAnswer::No};
        requests.requestFile(path);
        QCOMPARE(f.Env.Ui.Messages.size(), 1u);
        QCOMPARE(f.Env.Order.lineCount(), 2);
    }
};

QTEST_MAIN(OrderFilesTest)
#include "OrderFiles_test.moc"
