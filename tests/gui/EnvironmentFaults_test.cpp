#include "support/MainWindowFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>
#include <sqlite3.h>

// What the program meets outside itself: a catalogue locked by another
// program, a settings file edited by hand.
class EnvironmentFaultsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aLockedCatalogueIsReportedAndTheProgramGoesOn()
    {
        MainWindowFixture f({Product("AB-1", "Кружка"), Product("AB-2", "Ваза")});
        // Another program holds the file in an exclusive transaction.
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(f.Env.Catalogue.databasePath().c_str(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

        // The options cannot be read, then the products: both are said, and
        // nothing waits for the lock.
        f.Button("Button7")->click();
        QCOMPARE(f.Env.Ui.Messages.size(), 2u);
        QCOMPARE(f.Env.Ui.Messages[0].Text, QStringLiteral("Ошибка в БД"));
        const QString text = f.Env.Ui.Messages[1].Text;
        QVERIFY2(text.startsWith(QStringLiteral("Error executing SQL.\rError [5]: The database "
                                                "file is locked.\r")) ||
                     text == QStringLiteral("Could not prepare SQL statement."),
                 qPrintable(text));
        QCOMPARE(f.Env.Ui.Messages[1].Style, 16);

        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        f.Edit("Edit1")->setText(QStringLiteral("*"));
        f.Button("Button7")->click();
        QCOMPARE(f.Env.Ui.Messages.size(), 2u);
        QCOMPARE(f.Env.Catalogue.count(), 2);
    }

    void garbageInTheSettingsFilesGivesDefaults()
    {
        MainWindowFixture f;
        GuiTestEnvironment& env = f.Env;
        WriteTestCatalogue(env.Path(QStringLiteral("cat/x.db")), {Product("AB-1", "Кружка")});
        const QByteArray database = env.Path(QStringLiteral("cat/x.db")).toUtf8();
        env.Write(QStringLiteral("config/Pelmora/settings.ini"),
                  "garbage line\r\n[General\r\n[General]\r\nEuro=12,3.4\r\nDBPath=" + database +
                      "\r\nDBImgPath=\r\n=novalue\r\n");
        env.Write(QStringLiteral("data/Pelmora/userinfo.ini"),
                  "[General]\r\nImgPreviewMode=0x2\r\nUserInfoSpecified=yes\r\n"
                  "RemindOnStartup=0\r\n[UserInfo]\r\nCompanyType=99\r\n");
        env.Ui.InputAnswers = {std::nullopt, QStringLiteral("77")};
        QVERIFY(f.RunStartup());
        // The stored rate did not read: the prompt offered 0, and 0 is refused.
        QCOMPARE(env.Ui.Inputs[0].Initial, QStringLiteral("0"));
        QCOMPARE(f.Env.Prices.euroRate(), 77.0);
        QVERIFY(f.Action("N15")->isChecked()); // hexadecimal is a number too
        QCOMPARE(f.Env.Catalogue.databasePath(), database.toStdString());
        QCOMPARE(f.Env.Catalogue.pictureFolder(),
                 (QDir::homePath() + QStringLiteral("/PelmoraDB/img/")).toStdString());
        QCOMPARE(f.Env.Catalogue.count(), 1);
        QVERIFY(!f.Customer.details().UserInfoSpecified); // "yes" is no number
        QCOMPARE(env.Ui.Messages.size(), 1u);             // only the refused rate
    }
};

QTEST_MAIN(EnvironmentFaultsTest)
#include "EnvironmentFaults_test.moc"
