#include "core/order/OrderFile.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "gui/CustomerDialog.h"
#include "gui/MainWindow.h"
#include "support/FileSizeLimit.h"
#include "support/MainWindowFixture.h"
#include "support/OrderLines.h"
#include "support/TestCatalogue.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <csignal>
#include <cstring>
#include <memory>
#include <sys/resource.h>

namespace {

const QString kNewOrderQuestion = QStringLiteral(
    "При создании нового заказа все изменения в текущем будут утеряны. Сохранить измненения?");
const QString kOpenQuestion = QStringLiteral(
    "Текущий заказ не сохранен. Открытие заказа приведет к потере данных. Продолжить?");
const QString kCloseQuestion =
    QStringLiteral("При выходе из программы все изменения в заказе будут утеряны. Сохранить?");

// The started main window with its customer dialog, on a catalogue of three
// products priced at 80 roubles per euro times the catalogue's 1.005.
struct Session
{
    MainWindowFixture f;
    GuiTestEnvironment& env = f.Env;

    bool Start()
    {
        PlaceThreeProductCatalogue(env);
        // Details are not given and no reminder: the start-up shows no dialog.
        env.Write(QStringLiteral("data/Pelmora/userinfo.ini"),
                  "[General]\r\nUserInfoSpecified=0\r\nRemindOnStartup=0\r\n");
        QDir().mkpath(env.Path(QStringLiteral("orders")));
        env.Ui.InputAnswers = {QStringLiteral("80")}; // the network fails
        return f.RunStartup() && env.Catalogue.count() == 3 && env.Ui.Messages.empty();
    }

    QString OrderPath(const QString& name) const
    {
        return env.Path(QStringLiteral("orders/") + name);
    }

    void SetOrder(int count, bool modified) { SetTestOrder(f, count, modified); }
    bool Modified() const { return env.Order.isModified(); }
    void NewOrder() { f.Button("Button1")->click(); }
    void Open() { f.Button("Button2")->click(); }
    // True when the order is in a file afterwards.
    bool Save()
    {
        f.Button("Button3")->click();
        return !Modified();
    }
    void Complete() { f.Button("Button6")->click(); }

    QByteArray CurrentOrder() const { return CurrentOrderBytes(env.Order); }

    QString GridText(int row, int column) const
    {
        const QAbstractItemModel* model = f.Grid("sg2")->model();
        return model->data(model->index(row, column), Qt::DisplayRole).toString();
    }
};

OrderItem Line(const char* sku, const char* name, int32_t quantity)
{
    OrderItem item;
    item.SKU.Assign(sku);
    item.Name.Assign(Cp(name));
    item.Price = 2.5;
    item.Quantity = quantity;
    return item;
}

QByteArray WithInt32At(QByteArray bytes, int offset, int32_t value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
    return bytes;
}

QByteArray WithByteAt(QByteArray bytes, int offset, uint8_t value)
{
    bytes[offset] = static_cast<char>(value);
    return bytes;
}

QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class OrderLifecycleTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Session> m_s;

private Q_SLOTS:
    void init()
    {
        m_s = std::make_unique<Session>();
        QVERIFY(m_s->Start());
    }
    void cleanup() { m_s.reset(); }

    void savedOrderReopensAtTheCurrentRate()
    {
        Session& s = *m_s;
        s.SetOrder(3, true);
        const QByteArray order = s.CurrentOrder();
        const QString path = s.OrderPath(QStringLiteral("март.order"));

        s.env.Ui.SaveAnswers = {path};
        s.f.Action("N4")->trigger();
        QCOMPARE(s.env.Ui.SaveDialogs.size(), 1u);
        // No filter; the dialog adds the extension to a bare typed name.
        QVERIFY(s.env.Ui.SaveDialogs[0].Filter.isEmpty());
        QCOMPARE(s.env.Ui.SaveDialogs[0].DefaultExtension, QStringLiteral("order"));
        QVERIFY(!s.Modified());
        QCOMPARE(GuiTestEnvironment::Read(path), order);
        QCOMPARE(GuiTestEnvironment::Read(path).size(), 4 + 3 * 416);

        s.NewOrder(); // saved: emptied without a question
        QCOMPARE(s.env.Order.lineCount(), 0);
        QVERIFY(s.env.Ui.Messages.empty());

        s.env.Prices = Prices(100, 1, 100); // a new rate since the order was saved
        s.env.Ui.OpenAnswers = {path};
        s.f.Action("N3")->trigger();
        QCOMPARE(s.env.Ui.OpenDialogs.size(), 1u);
        QCOMPARE(s.env.Ui.OpenDialogs[0].Filter, QStringLiteral("Файлы заказов (*.order)|*.order"));
        QCOMPARE(s.env.Ui.OpenDialogs[0].DefaultExtension, QStringLiteral("order"));
        QCOMPARE(s.CurrentOrder(), order);
        QVERIFY(!s.Modified());
        QCOMPARE(s.GridText(0, 1), QStringLiteral("AB-1"));
        QCOMPARE(s.GridText(2, 2), QStringLiteral("Набор <Люкс> & Co"));
        QCOMPARE(s.GridText(0, 3), QStringLiteral("250,00"));
        QCOMPARE(s.GridText(2, 4), QStringLiteral("8"));
        QCOMPARE(s.GridText(2, 5), QStringLiteral("1000,00"));
        QCOMPARE(s.f.Label("Label6")->text(), QStringLiteral("2750,00 руб."));

        // Right after opening there is nothing to save: no dialog.
        QVERIFY(s.Save());
        QCOMPARE(s.env.Ui.SaveDialogs.size(), 1u);

        // Saving again proposes the last name and replaces the file once the user agrees.
        s.SetOrder(1, true);
        s.env.Ui.SaveAnswers = {path};
        s.env.Ui.MessageAnswers = {MessageAnswer::Yes};
        s.Save();
        QCOMPARE(s.env.Ui.SaveDialogs[1].FileName, path);
        QCOMPARE(GuiTestEnvironment::Read(path), s.CurrentOrder());
        QCOMPARE(FolderEntries(s.OrderPath({})), QStringList{QStringLiteral("март.order")});
        QCOMPARE(s.env.Ui.Messages.size(), 1u);
        QCOMPARE(s.env.Ui.Messages[0].Text, ReplaceQuestion(path));
    }

    void emptyOrderIsFourBytesHoldingZero()
    {
        Session& s = *m_s;
        s.SetOrder(0, true); // every line deleted
        const QString path = s.OrderPath(QStringLiteral("empty.order"));
        s.env.Ui.SaveAnswers = {path};
        QVERIFY(s.Save());
        QCOMPARE(GuiTestEnvironment::Read(path), QByteArray(4, '\0'));

        s.SetOrder(2, false);
        s.env.Ui.OpenAnswers = {path};
        s.Open();
        QCOMPARE(s.env.Order.lineCount(), 0);
        QVERIFY(s.env.Order.lines().empty());
        QCOMPARE(s.f.Label("Label6")->text(), QStringLiteral("0,00 руб."));
        QVERIFY(s.env.Ui.Messages.empty());
    }

    // "Новый заказ" and closing the window ask the same kind of question; an
    // order the user wanted saved is kept unless it really was saved.
    void unsavedOrderQuestion_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");   // 0: no question expected
        QTest::addColumn<QString>("save"); // the save dialog: "", "file", "cancel", "fails"
        QTest::addColumn<bool>("goesOn");  // the order emptied, or the window closed
        QTest::addColumn<bool>("modifiedAfter");

        const int yes = int(MessageAnswer::Yes);
        const int no = int(MessageAnswer::No);
        const int cancel = int(MessageAnswer::Cancel);
        for (const bool closing : {false, true}) {
            const char* command = closing ? "close" : "new";
            const auto row = [command](const char* name) -> QTestData& {
                return QTest::addRow("%s, %s", command, name);
            };
            row("saved order") << closing << false << 0 << QString() << true << false;
            row("No") << closing << true << no << QString() << true << true;
            row("Cancel") << closing << true << cancel << QString() << false << true;
            row("Yes, saved") << closing << true << yes << QStringLiteral("file") << true << false;
            row("Yes, dialog cancelled")
                << closing << true << yes << QStringLiteral("cancel") << false << true;
            row("Yes, save fails")
                << closing << true << yes << QStringLiteral("fails") << false << true;
        }
    }
    void unsavedOrderQuestion()
    {
        QFETCH(bool, closing);
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(QString, save);
        QFETCH(bool, goesOn);
        QFETCH(bool, modifiedAfter);
        Session& s = *m_s;
        s.f.Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.f.Window));
        s.SetOrder(3, modified);
        const QByteArray order = s.CurrentOrder();

        if (answer)
            s.env.Ui.MessageAnswers = {MessageAnswer(answer)};
        const QString path = s.OrderPath(QStringLiteral("saved.order"));
        if (save == QStringLiteral("file"))
            s.env.Ui.SaveAnswers = {path};
        else if (save == QStringLiteral("cancel"))
            s.env.Ui.SaveAnswers = {std::nullopt};
        else if (save == QStringLiteral("fails"))
            s.env.Ui.SaveAnswers = {s.OrderPath(QStringLiteral("no such folder/saved.order"))};

        bool wentOn = false;
        if (closing) {
            wentOn = s.f.Window.close();
            QCOMPARE(s.f.Window.isVisible(), !wentOn);
        } else {
            s.NewOrder();
            wentOn = s.env.Order.lineCount() == 0;
            if (!wentOn)
                QCOMPARE(s.CurrentOrder(), order);
        }
        QCOMPARE(wentOn, goesOn);
        QCOMPARE(s.Modified(), modifiedAfter);

        const auto& messages = s.env.Ui.Messages;
        QCOMPARE(messages.size(), size_t(answer ? 1 : 0) + (save == QStringLiteral("fails")));
        if (answer) {
            QCOMPARE(messages[0].Text, closing ? kCloseQuestion : kNewOrderQuestion);
            QCOMPARE(messages[0].Caption, QStringLiteral("Сохранение"));
            QCOMPARE(messages[0].Style, 35);
        }
        if (save == QStringLiteral("fails")) {
            QCOMPARE(messages[1].Caption, QStringLiteral("Ошибка"));
            QCOMPARE(messages[1].Style, 16);
        }
        QCOMPARE(s.env.Ui.SaveDialogs.size(), size_t(save.isEmpty() ? 0 : 1));
        QCOMPARE(GuiTestEnvironment::Read(path),
                 save == QStringLiteral("file") ? order : QByteArray());
    }

    void newOrderAnsweredNoKeepsAsking()
    {
        Session& s = *m_s;
        s.f.Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.f.Window));
        s.SetOrder(2, true);
        s.env.Ui.MessageAnswers = {MessageAnswer::No};
        s.f.Action("N2")->trigger();
        QCOMPARE(s.env.Order.lineCount(), 0);
        QVERIFY(s.Modified());

        s.env.Ui.MessageAnswers = {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::Cancel};
        s.NewOrder();
        s.Open();
        QVERIFY(!s.f.Window.close());
        QCOMPARE(s.env.Ui.Messages.size(), 4u);
        QCOMPARE(s.env.Ui.Messages[1].Text, kNewOrderQuestion);
        QCOMPARE(s.env.Ui.Messages[2].Text, kOpenQuestion);
        QCOMPARE(s.env.Ui.Messages[3].Text, kCloseQuestion);
        QVERIFY(s.env.Ui.OpenDialogs.empty());
        QVERIFY(s.f.Window.isVisible());
    }

    void openOrder_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");   // 0: no question expected
        QTest::addColumn<bool>("chooses"); // a file, or the dialog is cancelled
        QTest::addColumn<bool>("dialog");

        const int yes = int(MessageAnswer::Yes);
        const int no = int(MessageAnswer::No);
        QTest::newRow("modified, No") << true << no << false << false;
        QTest::newRow("modified, Yes, dialog cancelled") << true << yes << false << true;
        QTest::newRow("modified, Yes, file") << true << yes << true << true;
        QTest::newRow("saved, dialog cancelled") << false << 0 << false << true;
        QTest::newRow("saved, file") << false << 0 << true << true;
    }
    void openOrder()
    {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, chooses);
        QFETCH(bool, dialog);
        Session& s = *m_s;
        const QString path = s.OrderPath(QStringLiteral("one line.order"));
        s.SetOrder(1, true);
        const QByteArray saved = s.CurrentOrder();
        s.env.Ui.SaveAnswers = {path};
        QVERIFY(s.Save());

        s.SetOrder(3, modified);
        const QByteArray current = s.CurrentOrder();
        if (answer)
            s.env.Ui.MessageAnswers = {MessageAnswer(answer)};
        s.env.Ui.OpenAnswers = {chooses ? std::optional<QString>(path) : std::nullopt};
        s.Open();

        QCOMPARE(s.env.Ui.Messages.size(), size_t(answer ? 1 : 0));
        if (answer) {
            QCOMPARE(s.env.Ui.Messages[0].Text, kOpenQuestion);
            QCOMPARE(s.env.Ui.Messages[0].Caption, QStringLiteral("Открыть"));
            QCOMPARE(s.env.Ui.Messages[0].Style, 36);
        }
        QCOMPARE(s.env.Ui.OpenDialogs.size(), size_t(dialog ? 1 : 0));
        const bool opened = dialog && chooses;
        QCOMPARE(s.CurrentOrder(), opened ? saved : current);
        QCOMPARE(s.Modified(), opened ? false : modified);
        QCOMPARE(s.f.Label("Label6")->text(),
                 opened ? QStringLiteral("603,00 руб.") : QStringLiteral("2211,00 руб."));
        if (opened) // the dialog proposes the file next time
        {
            s.env.Ui.OpenAnswers = {std::nullopt};
            s.Open();
            QCOMPARE(s.env.Ui.OpenDialogs.back().FileName, path);
        }
    }

    void unusableFileLeavesTheOrder_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message"); // %1: the file; a trailing "…" means any reason

        const QByteArray good = QByteArray::fromStdString(
            OrderFileContent({Line("AB-1", "Кружка", 3), Line("CD-2", "Ваза", 1)}, 2));
        const QString damaged = QStringLiteral("Файл заказа «%1» повреждён: ");

        QTest::newRow("missing") << false << QByteArray()
                                 << QStringLiteral("Не удалось открыть файл заказа «%1»: …");
        QTest::newRow("shorter than the count")
            << true << QByteArray(2, '\0')
            << damaged + QStringLiteral("размер файла в байтах: 2, а требуется не меньше 4");
        QTest::newRow("truncated record")
            << true << good.left(good.size() - 10)
            << damaged +
                   QStringLiteral("размер файла в байтах: 826, а для числа строк 2 требуется 836");
        QTest::newRow("bytes past the last record")
            << true << good + '\0'
            << damaged +
                   QStringLiteral("размер файла в байтах: 837, а для числа строк 2 требуется 836");
        QTest::newRow("negative count")
            << true << WithInt32At(good, 0, -1)
            << damaged + QStringLiteral("отрицательное число строк заказа: -1");
        QTest::newRow("huge count")
            << true << WithInt32At(good.left(4), 0, INT32_MAX)
            << damaged + QStringLiteral("размер файла в байтах: 4, а для числа строк 2147483647 "
                                        "требуется 893353197156");
        QTest::newRow("article code length")
            << true << WithByteAt(good, 4 + 416 + 4, 15)
            << damaged + QStringLiteral("в строке 2 длина поля «Артикул» равна 15, а допускается "
                                        "не больше 14");
        QTest::newRow("name length")
            << true << WithByteAt(good, 4 + 19, 101)
            << damaged + QStringLiteral("в строке 1 длина поля «Наименование» равна 101, а "
                                        "допускается не больше 100");
    }
    void unusableFileLeavesTheOrder()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        Session& s = *m_s;
        const QString path = s.OrderPath(QStringLiteral("плохой.order"));
        if (exists)
            s.env.Write(QStringLiteral("orders/плохой.order"), content);
        const QString expected = message.arg(path);

        // Once over a modified order (after its question), once over a saved one.
        for (const bool modified : {true, false}) {
            s.env.Ui.Messages.clear();
            s.SetOrder(3, modified);
            const QByteArray order = s.CurrentOrder();
            const QString total = s.f.Label("Label6")->text();
            if (modified)
                s.env.Ui.MessageAnswers = {MessageAnswer::Yes};
            s.env.Ui.OpenAnswers = {path};
            s.Open();

            QCOMPARE(s.CurrentOrder(), order);
            QCOMPARE(s.Modified(), modified);
            QCOMPARE(s.f.Label("Label6")->text(), total);
            QCOMPARE(s.env.Ui.Messages.size(), size_t(modified ? 2 : 1));
            const FakeInteraction::Message& error = s.env.Ui.Messages.back();
            QCOMPARE(error.Caption, QStringLiteral("Ошибка"));
            QCOMPARE(error.Style, 16);
            if (expected.endsWith(u'…')) {
                QVERIFY2(error.Text.startsWith(expected.chopped(1)), qPrintable(error.Text));
                QVERIFY(error.Text.size() > expected.size()); // the system's reason follows
            } else {
                QCOMPARE(error.Text, expected);
            }
        }
        QCOMPARE(GuiTestEnvironment::Read(path), content); // the file is only read
    }

    // A save that fails keeps the order unsaved and whatever was at the target.
    void replacingAFileIsAsked_data()
    {
        QTest::addColumn<bool>("document");
        QTest::addColumn<QString>("afterNo"); // "", or the next dialog's answer: "cancel", a name
        for (const bool document : {false, true}) {
            const char* kind = document ? "document" : "order file";
            QTest::addRow("%s: Yes", kind) << document << QString();
            QTest::addRow("%s: No, then cancel", kind) << document << QStringLiteral("cancel");
            QTest::addRow("%s: No, then another name", kind) << document << QStringLiteral("март");
        }
    }
    void replacingAFileIsAsked()
    {
        QFETCH(bool, document);
        QFETCH(QString, afterNo);
        Session& s = *m_s;
        CustomerDetails given;
        given.UserInfoSpecified = true;
        s.f.Customer.setDetails(given);
        s.SetOrder(2, true);
        // A bare typed name: the order dialog adds its extension itself, the
        // document's is added after the dialog.
        const QString extension = document ? QStringLiteral(".html") : QStringLiteral(".order");
        const auto typed = [&](const QString& name) {
            return s.OrderPath(document ? name : name + extension);
        };
        const QString existing = s.OrderPath(QStringLiteral("заказ") + extension);
        s.env.Write(QStringLiteral("orders/заказ") + extension, "old");
        const QString proposedBefore; // nothing was saved in this session

        const bool yes = afterNo.isEmpty();
        s.env.Ui.MessageAnswers = {yes ? MessageAnswer::Yes : MessageAnswer::No};
        s.env.Ui.SaveAnswers = {typed(QStringLiteral("заказ"))};
        if (afterNo == QStringLiteral("cancel"))
            s.env.Ui.SaveAnswers.push_back(std::nullopt);
        else if (!yes)
            s.env.Ui.SaveAnswers.push_back(typed(afterNo));
        if (document)
            s.Complete();
        else
            s.Save();

        QCOMPARE(s.env.Ui.Messages.size(), 1u);
        QCOMPARE(s.env.Ui.Messages[0].Text, ReplaceQuestion(existing));
        QCOMPARE(s.env.Ui.Messages[0].Caption, QStringLiteral("Сохранение"));
        QCOMPARE(s.env.Ui.Messages[0].Style, 4 + 32 + 0x100); // Yes/No, No by default
        QCOMPARE(GuiTestEnvironment::Read(existing) == "old", !yes);
        // "No" offers the dialog again with the declined name.
        QCOMPARE(s.env.Ui.SaveDialogs.size(), yes ? 1u : 2u);
        if (!yes)
            QCOMPARE(s.env.Ui.SaveDialogs[1].FileName, existing);

        const QString written = s.OrderPath(afterNo + extension);
        const bool cancelled = afterNo == QStringLiteral("cancel");
        QCOMPARE(FolderEntries(s.OrderPath({})).size(), yes || cancelled ? 1 : 2);
        QCOMPARE(s.Modified(), document || cancelled);
        if (!yes && !cancelled)
            QVERIFY(QFile::exists(written));

        // The dialog proposes the name last written next time.
        s.SetOrder(2, true);
        s.env.Ui.SaveAnswers = {std::nullopt};
        document ? s.Complete() : void(s.Save());
        QCOMPARE(s.env.Ui.SaveDialogs.back().FileName, yes         ? existing
                                                       : cancelled ? proposedBefore
                                                                   : written);
    }

    void failedSaveKeepsThePreviousFile_data()
    {
        QTest::addColumn<QString>("target"); // below the orders folder
        QTest::addColumn<bool>("fullDisk");

        QTest::newRow("target is a folder") << QStringLiteral("taken.order") << false;
        QTest::newRow("folder missing") << QStringLiteral("gone/new.order") << false;
        QTest::newRow("disk full while writing") << QStringLiteral("previous.order") << true;
    }
    void failedSaveKeepsThePreviousFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, fullDisk);
        Session& s = *m_s;
        const QString path = s.OrderPath(target);
        // Something the user had before: a folder with a file in it, or a
        // saved one-line order.
        if (target == QStringLiteral("taken.order"))
            s.env.Write(QStringLiteral("orders/taken.order/inside.txt"), "kept");
        else if (fullDisk)
            s.env.Write(QStringLiteral("orders/previous.order"),
                        QByteArray::fromStdString(OrderFileContent(
                            {OrderItem::FromEntry(s.env.Catalogue.entries()[0], 5)}, 1)));
        const QStringList entriesBefore = FolderEntries(s.OrderPath({}));
        const QByteArray previous = GuiTestEnvironment::Read(path);

        s.SetOrder(3, true);
        s.env.Ui.SaveAnswers = {path};
        if (fullDisk)
            s.env.Ui.MessageAnswers = {MessageAnswer::Yes}; // replace the previous file
        bool saved = true;
        {
            // Room for the one-line file but not for three lines.
            std::unique_ptr<ScopedFileSizeLimit> limit;
            if (fullDisk)
                limit = std::make_unique<ScopedFileSizeLimit>(1000);
            saved = s.Save();
        }
        QVERIFY(!saved);
        QVERIFY(s.Modified());
        QCOMPARE(s.env.Ui.Messages.size(), fullDisk ? 2u : 1u);
        const FakeInteraction::Message& error = s.env.Ui.Messages.back();
        QCOMPARE(error.Caption, QStringLiteral("Ошибка"));
        QCOMPARE(error.Style, 16);
        const QString prefix = QStringLiteral("Не удалось сохранить заказ в файл «%1»: ").arg(path);
        QVERIFY2(error.Text.startsWith(prefix), qPrintable(error.Text));
        QVERIFY(error.Text.size() > prefix.size());

        // No temporary file is left behind and the old content stands.
        QCOMPARE(FolderEntries(s.OrderPath({})), entriesBefore);
        QCOMPARE(GuiTestEnvironment::Read(path), previous);
        if (fullDisk)
            QCOMPARE(previous.size(), 4 + 416);
        QCOMPARE(GuiTestEnvironment::Read(s.OrderPath(QStringLiteral("taken.order/inside.txt"))),
                 QByteArray(target == QStringLiteral("taken.order") ? "kept" : ""));

        // The same order goes to a good file afterwards.
        s.env.Ui.SaveAnswers = {s.OrderPath(QStringLiteral("good.order"))};
        QVERIFY(s.Save());
        QCOMPARE(GuiTestEnvironment::Read(s.OrderPath(QStringLiteral("good.order"))),
                 s.CurrentOrder());
    }
};

QTEST_MAIN(OrderLifecycleTest)
#include "OrderLifecycle_test.moc"
