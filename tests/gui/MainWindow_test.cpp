#include "support/MainWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>
#include <memory>

namespace {

QByteArray IniLines(const QList<QByteArray>& lines)
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartOnCleanProfile()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        WriteTestCatalogue(env.Path(QStringLiteral("home/PelmoraDB/telvarin.db")),
                           {Product("AB-1", "Кружка", 2.5)});
        env.Ui.InputAnswers = {QStringLiteral("90,5")};
        QString shownDialog;
        OnNextModal([&](QDialog* dialog) {
            shownDialog = dialog->windowTitle();
            dialog->reject();
        });
        QVERIFY(w.RunStartup());

        QCOMPARE(env.Ui.Inputs.size(), 1u);
        QCOMPARE(env.Ui.Inputs[0].Caption, QStringLiteral("Курс евро"));
        QCOMPARE(env.Ui.Inputs[0].Initial, QStringLiteral("0"));
        QCOMPARE(shownDialog, QStringLiteral("Пользовательские данные"));
        QCOMPARE(env.Prices.euroRate(), 90.5);

        const QByteArray home = env.Path(QStringLiteral("home")).toUtf8();
        QCOMPARE(GuiTestEnvironment::Read(env.SettingsFile()),
                 IniLines({"[General]", "Euro=90,5", "EuroSource=Manual", "EuroDate=2026-03-07",
                           "UpdatesURL=http://www.pelmora.ru/kesta/",
                           "DBPath=" + home + "/PelmoraDB/telvarin.db",
                           "DBImgPath=" + home + "/PelmoraDB/img/"}));
        QCOMPARE(GuiTestEnvironment::Read(env.UserInfoFile()),
                 IniLines({"[General]", "ImgPreviewMode=1"}));
        QVERIFY(w.CustomerControl<QRadioButton>("RadioButton2")->isChecked());
        QVERIFY(w.CustomerControl<QCheckBox>("CheckBox1")->isChecked());
        QCOMPARE(w.CatalogueFileFilter(), QStringLiteral("Файлы баз данных (*.db)|*.db"));
        QCOMPARE(env.Catalogue.count(), 1);
        QVERIFY(env.Ui.Messages.empty());
        // The update check ran silently and found no server.
        QCOMPARE(env.Http.Requests.back(),
                 std::string("http://www.pelmora.ru/kesta/lastversion.txt"));
    }

    void missingCatalogueEndsTheSequenceWithItsError()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        env.Ui.InputAnswers = {QStringLiteral("80")};
        OnNextModal([](QDialog* dialog) { dialog->reject(); });
        QVERIFY(w.RunStartup());
        QCOMPARE(env.Ui.Messages.size(), 1u);
        QVERIFY(env.Ui.Messages[0].Text.startsWith(QStringLiteral("Failed to open database \"")));
        QCOMPARE(env.Ui.Messages[0].Style, 16);
        QVERIFY(w.CatalogueFileFilter().isEmpty()); // later steps did not run
    }

    void storedValuesAreReadAndTheRateRewritten()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        env.Write(QStringLiteral("config/Pelmora/settings.ini"),
                  IniLines({"[General]", "Euro=75,4", "DBPath=/data/cat.db", "DBImgPath=D:\\pics\\",
                            "UpdatesURL=http://example.test/u/"}));
        env.Write(
            QStringLiteral("data/Pelmora/userinfo.ini"),
            IniLines({"[General]", "ImgPreviewMode=7", "RemindOnStartup=1", "UserInfoSpecified=1",
                      "[UserInfo]", "CompanyType=1", "Company=\xD0\xEE\xEC\xE0\xF8\xEA\xE0",
                      "TIN=7701", "Phones=1", "ContactPerson=2", "Email=a@b"}));
        env.Ui.InputAnswers = {std::nullopt}; // cancelled: the stored rate stands
        // no modal dialog: details are given
        QVERIFY(w.RunStartup());

        QCOMPARE(env.Ui.Inputs[0].Initial, QStringLiteral("75.4"));
        QCOMPARE(env.Prices.euroRate(), 75.4);
        QVERIFY(w.Action("N14")->isChecked());
        QVERIFY(GuiTestEnvironment::Read(env.UserInfoFile()).contains("ImgPreviewMode=1\r\n"));
        QCOMPARE(env.Catalogue.pictureFolder(), std::string("D:\\pics\\")); // used as typed
        QCOMPARE(env.Catalogue.updatesUrl(), std::string("http://example.test/u/"));
        QCOMPARE(w.Customer.details().CompanyType, 1);
        QCOMPARE(w.Customer.details().Company, std::string("\xD0\xEE\xEC\xE0\xF8\xEA\xE0"));
        QCOMPARE(w.CustomerControl<QLineEdit>("Edit1")->text(), QStringLiteral("Ромашка"));
        QCOMPARE(w.CustomerControl<QComboBox>("ComboBox1")->currentText(), QStringLiteral("ИП"));
        QVERIFY(w.CustomerControl<QRadioButton>("RadioButton1")->isChecked());
        QVERIFY(!w.CustomerControl<QCheckBox>("CheckBox1")->isEnabled());
        QVERIFY(GuiTestEnvironment::Read(env.SettingsFile()).contains("Euro=75,4\r\n"));
    }

    // The design size includes the frame, which the platform adds after show.
    void outerSizeIsTheDesignSize()
    {
        MainWindowFixture w;
        w.Window.show();
        QTRY_VERIFY(w.Window.size() != QSize(1036, 662)); // the frame has come
        QTRY_COMPARE(w.Window.frameGeometry().size(), QSize(1036, 662));
        QCOMPARE(w.Widget("GroupBox2")->y(), 332);
    }

    void resizeRules_data()
    {
        QTest::addColumn<int>("outerHeight");
        QTest::addColumn<int>("orderTop");
        QTest::addColumn<int>("catalogueHeight");
        QTest::addColumn<int>("gridHeight");
        QTest::addColumn<int>("searchTop");
        QTest::newRow("design") << 662 << 332 << 291 << 206 << 266;
        QTest::newRow("taller") << 800 << 470 << 429 << 344 << 404;
    }
    void resizeRules()
    {
        QFETCH(int, outerHeight);
        MainWindowFixture w;
        w.Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.Window));
        w.Window.resize(1036,
                        outerHeight - (w.Window.frameGeometry().height() - w.Window.height()));
        QTRY_COMPARE(w.Window.frameGeometry().height(), outerHeight);
        QTEST(w.Widget("GroupBox2")->y(), "orderTop");
        QTEST(w.Widget("GroupBox3")->height(), "catalogueHeight");
        QTEST(w.Grid("sg1")->height(), "gridHeight");
        QTEST(w.Edit("Edit2")->y(), "searchTop");
        QCOMPARE(w.Pictures()->x(), 720);
        QCOMPARE(w.Pictures()->width(), w.Window.centralWidget()->width() - 720);
        QCOMPARE(w.Pictures()->height(), w.Window.centralWidget()->height() - 20);
    }

    void switchingThePreviewMode()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        WriteTestCatalogue(env.Path(QStringLiteral("home/PelmoraDB/telvarin.db")), {});
        env.Ui.InputAnswers = {QStringLiteral("80")};
        OnNextModal([](QDialog* dialog) { dialog->reject(); });
        QVERIFY(w.RunStartup());
        w.Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.Window));

        w.Action("N15")->trigger();
        const int client = w.Pictures()->contentsRect().height();
        QVERIFY(w.Frame("ImageFrame1")->isVisible());
        QVERIFY(w.Frame("ImageFrame2")->isVisible());
        QCOMPARE(w.Frame("ImageFrame1")->height(), client / 2);
        QCOMPARE(w.Frame("ImageFrame2")->height(), client / 2);
        QCOMPARE(w.Frame("ImageFrame2")->y(),
                 w.Frame("ImageFrame1")->y() + w.Frame("ImageFrame1")->height() + 1);
        QVERIFY(w.Action("N15")->isChecked());
        QVERIFY(!w.Action("N14")->isChecked());
        QVERIFY(GuiTestEnvironment::Read(env.UserInfoFile()).contains("ImgPreviewMode=2\r\n"));
        QCOMPARE(w.Window.focusWidget(), w.Grid("sg1"));

        // Back to one picture with the order grid focused: its handler runs
        // and the focus stays there.
        w.Grid("sg2")->setFocus();
        w.Action("N14")->trigger();
        QVERIFY(!w.Frame("ImageFrame2")->isVisible());
        QCOMPARE(w.Frame("ImageFrame1")->height(), client);
        QCOMPARE(w.Window.focusWidget(), w.Grid("sg2"));
        QVERIFY(w.Action("N14")->isChecked());
        QVERIFY(GuiTestEnvironment::Read(env.UserInfoFile()).contains("ImgPreviewMode=1\r\n"));

        // From anywhere else the catalogue grid takes the focus.
        w.Edit("Edit1")->setFocus();
        w.Action("N14")->trigger();
        QCOMPARE(w.Window.focusWidget(), w.Grid("sg1"));
    }

    void commandShortcutsWinOverTextBoxes()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        w.Window.show();
        QApplication::setActiveWindow(&w.Window);
        QVERIFY(QTest::qWaitForWindowActive(&w.Window));
        // Keys that a text box takes for itself on every platform (X11's Ctrl+E
        // is not bound here): one given to a command, one to another action.
        w.Action("N16")->setShortcut(QKeySequence::SelectAll);
        QAction other(QStringLiteral("other"));
        other.setShortcut(QKeySequence::Undo);
        w.Window.addAction(&other);
        QSignalSpy completing(w.Action("N16"), &QAction::triggered);
        QSignalSpy otherRan(&other, &QAction::triggered);

        w.Edit("Edit1")->setFocus();
        QTest::keyClicks(w.Edit("Edit1"), QStringLiteral("abc"));
        QTest::keyClick(w.Edit("Edit1"), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(completing.size(), 1);
        QCOMPARE(env.Ui.Messages.size(), 1u); // "nothing ordered": the command ran
        QVERIFY(!w.Edit("Edit1")->hasSelectedText());

        QTest::keyClick(w.Edit("Edit1"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(otherRan.size(), 0);
        QVERIFY(w.Edit("Edit1")->text().isEmpty()); // the box undid the typing
    }

    void databaseFileCommand()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        WriteTestCatalogue(env.Path(QStringLiteral("home/PelmoraDB/telvarin.db")), {});
        WriteTestCatalogue(env.Path(QStringLiteral("Data/cat.db")), {Product("X-1", "Ваза")});
        env.Ui.InputAnswers = {QStringLiteral("80")};
        OnNextModal([](QDialog* dialog) { dialog->reject(); });
        QVERIFY(w.RunStartup());
        const QByteArray before = GuiTestEnvironment::Read(env.SettingsFile());

        env.Ui.OpenAnswers = {std::nullopt};
        w.Action("N13")->trigger();
        QCOMPARE(GuiTestEnvironment::Read(env.SettingsFile()), before);

        w.Edit("Edit1")->setText(QStringLiteral("чай"));
        env.Ui.OpenAnswers = {QStringLiteral("/home/u/Data/cat.db")};
        w.Action("N13")->trigger();
        QCOMPARE(env.Ui.OpenDialogs.back().Filter, QStringLiteral("Файлы баз данных (*.db)|*.db"));
        QCOMPARE(env.Catalogue.databasePath(), std::string("/home/u/Data/cat.db"));
        QCOMPARE(env.Catalogue.pictureFolder(), std::string("/home/u/Data/img/"));
        const QByteArray after = GuiTestEnvironment::Read(env.SettingsFile());
        QVERIFY(after.contains("DBPath=/home/u/Data/cat.db\r\nDBImgPath=/home/u/Data/img/\r\n"));
        QCOMPARE(w.Edit("Edit1")->text(), QStringLiteral("чай")); // the filter box keeps its text
    }

    // A path that settings.ini would not give back is refused with a message
    // naming it, and nothing changes; a backslash in a folder name is a letter.
    void databaseFileCommandStoresOnlyPathsItCanReadBack()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        WriteTestCatalogue(env.Path(QStringLiteral("home/PelmoraDB/telvarin.db")),
                           {Product("A-1", "Ваза")});
        env.Ui.InputAnswers = {QStringLiteral("80")};
        OnNextModal([](QDialog* dialog) { dialog->reject(); });
        QVERIFY(w.RunStartup());
        const QByteArray before = GuiTestEnvironment::Read(env.SettingsFile());
        const std::string keptPath = env.Catalogue.databasePath();
        const std::string keptFolder = env.Catalogue.pictureFolder();

        for (const QString& chosen :
             {env.Path(QStringLiteral("josé/cat.db")), env.Path(QStringLiteral("a\nb/cat.db")),
              env.Path(QStringLiteral("cat.db "))}) {
            WriteTestCatalogue(chosen, {Product("B-1", "Чайник"), Product("B-2", "Чашка")});
            env.Ui.Messages.clear();
            env.Ui.OpenAnswers = {chosen};
            w.Action("N13")->trigger();
            QCOMPARE(env.Ui.Messages.size(), 1u);
            QVERIFY2(env.Ui.Messages[0].Text.contains(u'«' + chosen + u'»'),
                     qPrintable(env.Ui.Messages[0].Text));
            QCOMPARE(env.Ui.Messages[0].Caption, QStringLiteral("Ошибка"));
            QCOMPARE(env.Ui.Messages[0].Style, 16);
            QCOMPARE(GuiTestEnvironment::Read(env.SettingsFile()), before);
            QCOMPARE(env.Catalogue.databasePath(), keptPath);
            QCOMPARE(env.Catalogue.pictureFolder(), keptFolder);
            QCOMPARE(env.Catalogue.count(), 1);
        }

        const QString withBackslash = env.Path(QStringLiteral("a\\b/cat.db"));
        WriteTestCatalogue(withBackslash, {Product("B-1", "Чайник"), Product("B-2", "Чашка")});
        env.Ui.Messages.clear();
        env.Ui.OpenAnswers = {withBackslash};
        w.Action("N13")->trigger();
        QCOMPARE(env.Ui.Messages.size(), 0u);
        QCOMPARE(env.Catalogue.pictureFolder(),
                 env.Path(QStringLiteral("a\\b/img/")).toStdString());
        QVERIFY(GuiTestEnvironment::Read(env.SettingsFile())
                    .contains("DBImgPath=" + env.Path(QStringLiteral("a\\b/img/")).toUtf8()));
        QCOMPARE(env.Catalogue.count(), 2);
    }

    // Under a home folder that Windows-1251 cannot name, the default paths
    // are neither stored nor used, and the user is told once.
    void defaultPathsUnderAnUnstorableHomeAreNotStored()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        const QString home = env.Path(QStringLiteral("josé"));
        WriteTestCatalogue(home + QStringLiteral("/PelmoraDB/telvarin.db"),
                           {Product("A-1", "Ваза")});
        qputenv("HOME", QFile::encodeName(home));
        env.Ui.InputAnswers = {QStringLiteral("80")};
        OnNextModal([](QDialog* dialog) { dialog->reject(); });
        QVERIFY(w.RunStartup());

        QCOMPARE(env.Ui.Messages.size(), 1u);
        QVERIFY2(env.Ui.Messages[0].Text.contains(u'«' + home + QStringLiteral("/PelmoraDB/»")),
                 qPrintable(env.Ui.Messages[0].Text));
        QCOMPARE(env.Ui.Messages[0].Caption, QStringLiteral("Ошибка"));
        QCOMPARE(env.Ui.Messages[0].Style, 16);
        const QByteArray settings = GuiTestEnvironment::Read(env.SettingsFile());
        QVERIFY(!settings.contains("DBPath"));
        QVERIFY(!settings.contains("DBImgPath"));
        QCOMPARE(env.Catalogue.count(), 0);
        // The sequence went on to its end.
        QCOMPARE(w.CatalogueFileFilter(), QStringLiteral("Файлы баз данных (*.db)|*.db"));
    }

    void settingsFolderThatIsNotAFolderEndsTheProgram()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        env.Write(QStringLiteral("config/Pelmora"), "not a folder");
        QVERIFY(!w.RunStartup());
        QCOMPARE(env.Ui.Messages.size(), 1u);
        QCOMPARE(env.Ui.Messages[0].Text,
                 QStringLiteral("Ошибка чтения файла конфигурации \r") + env.SettingsFile());
        QCOMPARE(env.Ui.Messages[0].Caption, QStringLiteral("Ошибка"));
        QCOMPARE(env.Ui.Messages[0].Style, 16);
        QVERIFY(env.Ui.Inputs.empty()); // no further step ran
    }

    void unwritableSettingsStopTheSequenceButKeepTheWindow()
    {
        MainWindowFixture w;
        GuiTestEnvironment& env = w.Env;
        // A folder where settings.ini should be: nothing can be written there.
        QDir().mkpath(env.SettingsFile());
        env.Ui.InputAnswers = {QStringLiteral("80")};
        QVERIFY(w.RunStartup());
        QCOMPARE(env.Ui.Messages.size(), 1u);
        QCOMPARE(env.Ui.Messages[0].Text,
                 QStringLiteral("Unable to write to ") + env.SettingsFile() + u'.');
        QCOMPARE(env.Ui.Messages[0].Style, 16);
        // The sequence stopped at the rate: the preview mode was never stored.
        QVERIFY(!QFile::exists(env.UserInfoFile()));
        QCOMPARE(env.Prices.euroRate(), 80.0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindow_test.moc"
