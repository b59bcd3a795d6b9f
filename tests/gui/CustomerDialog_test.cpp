#include "core/settings/IniFile.h"
#include "core/text/Cp1251.h"
#include "gui/CustomerDialog.h"
#include "support/GuiTestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// The dialog over a userinfo.ini, as the main window sets it up.
struct Dialog
{
    GuiTestEnvironment env;
    CustomerDialog dialog{env.Settings, env.Ui};

    Dialog()
    {
        env.Write(QStringLiteral("data/Pelmora/userinfo.ini"),
                  "[General]\r\nImgPreviewMode=2\r\n[UserInfo]\r\nCompany=Old\r\n");
        QDir().mkpath(env.Path(QStringLiteral("config/Pelmora")));
        env.Settings.open(env.SettingsFile().toStdString(), env.UserInfoFile().toStdString());
    }
    template <typename Control> Control* Find(const char* designerName) const
    {
        return dialog.findChild<Control*>(QLatin1StringView(designerName));
    }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
    QRadioButton* Radio(const char* name) const { return Find<QRadioButton>(name); }
    QCheckBox* Remind() const { return Find<QCheckBox>("CheckBox1"); }
    QPushButton* Ok() const { return Find<QPushButton>("Button1"); }
    const CustomerDetails& Details() const { return dialog.details(); }
    void Fill(const QStringList& texts)
    {
        const char* edits[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"};
        for (int i = 0; i < 5; ++i)
            Edit(edits[i])->setText(texts.value(i));
    }
    QByteArray File() const { return GuiTestEnvironment::Read(env.UserInfoFile()); }
};

} // namespace

class CustomerDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modesEnableTheirControls()
    {
        Dialog d;
        d.Radio("RadioButton1")->click();
        QVERIFY(d.Radio("RadioButton1")->isChecked() && !d.Radio("RadioButton2")->isChecked());
        QVERIFY(d.Edit("Edit4")->isEnabled() && d.Find<QComboBox>("ComboBox1")->isEnabled());
        QVERIFY(!d.Remind()->isEnabled());
        d.Radio("RadioButton2")->click();
        QVERIFY(!d.Radio("RadioButton1")->isChecked() && d.Radio("RadioButton2")->isChecked());
        QVERIFY(!d.Edit("Edit4")->isEnabled() && !d.Find<QLabel>("Label1")->isEnabled());
        QVERIFY(d.Remind()->isEnabled());
        // Clicking the chosen mode again keeps it.
        d.Radio("RadioButton2")->click();
        QVERIFY(d.Radio("RadioButton2")->isChecked());
    }

    void detailsAreWrittenInOrderAndKept()
    {
        Dialog d;
        d.Radio("RadioButton1")->click();
        d.Find<QComboBox>("ComboBox1")->setCurrentIndex(3);
        d.Fill({QStringLiteral("Ромашка"), QStringLiteral("7701"), QStringLiteral("+7 495"),
                QStringLiteral(" "), QStringLiteral("a@b.ru")}); // spaces count as filled
        d.Ok()->click();
        QCOMPARE(d.File(),
                 QByteArray("[General]\r\nImgPreviewMode=2\r\nUserInfoSpecified=1\r\n"
                            "RemindOnStartup=0\r\n[UserInfo]\r\nCompany=\xD0\xEE\xEC\xE0"
                            "\xF8\xEA\xE0\r\nCompanyType=3\r\nTIN=7701\r\nPhones=+7 495\r\n"
                            "ContactPerson= \r\nEmail=a@b.ru\r\n"));
        QVERIFY(d.Details().UserInfoSpecified);
        QVERIFY(!d.Details().RemindOnStartup);
        QCOMPARE(d.Details().CompanyType, 3);
        QCOMPARE(d.Details().Company, std::string("\xD0\xEE\xEC\xE0\xF8\xEA\xE0"));
        QCOMPARE(d.Details().ContactPerson, std::string(" "));
    }

    void controlCharactersAreStoredAsBlanks()
    {
        Dialog d;
        d.Radio("RadioButton1")->click();
        d.Fill({QStringLiteral("a\nb"), QStringLiteral("77\t01"), QStringLiteral("1\r\n2"),
                QStringLiteral("Иван\x7F"), QStringLiteral("\x1B")});
        d.Ok()->click();
        QVERIFY(d.env.Ui.Messages.empty());

        const char* const keys[] = {"Company", "TIN", "Phones", "ContactPerson", "Email"};
        // Read back as the next start reads them; blanks at the ends are trimmed there.
        const std::string stored[] = {"a b", "77 01", "1  2", Utf8ToCp1251("Иван"), ""};
        const std::string* held[] = {&d.Details().Company, &d.Details().TIN, &d.Details().Phones,
                                     &d.Details().ContactPerson, &d.Details().Email};
        TIniFile restarted(d.env.UserInfoFile().toStdString());
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(restarted.ReadString("UserInfo", keys[i], "?"), stored[i]);
            QCOMPARE(held[i]->find_first_of("\t\n\r\x1B\x7F"), std::string::npos);
        }
        QCOMPARE(d.Edit("Edit1")->text(), QStringLiteral("a b")); // the box shows what is kept
    }

    void anEmptyFieldIsRefused()
    {
        Dialog d;
        d.Radio("RadioButton1")->click();
        d.Fill({QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                QString()});
        const QByteArray before = d.File();
        d.Ok()->click();
        QCOMPARE(d.env.Ui.Messages.size(), 1u);
        QCOMPARE(d.env.Ui.Messages[0].Text, QStringLiteral("Необходимо заполнить все поля."));
        QCOMPARE(d.env.Ui.Messages[0].Caption, QStringLiteral("Ошибка"));
        QCOMPARE(d.env.Ui.Messages[0].Style, 48);
        QCOMPARE(d.File(), before);
        QVERIFY(!d.Details().UserInfoSpecified);
    }

    // The data folder removed while the program runs: the fields are checked
    // first, then the folder is made again for the file.
    void aRemovedFolderIsMadeAgain()
    {
        Dialog d;
        const QString folder = d.env.Path(QStringLiteral("data/Pelmora"));
        QVERIFY(QDir(folder).removeRecursively());
        d.Radio("RadioButton1")->click();
        d.Fill({QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                QString()});
        d.Ok()->click();
        QCOMPARE(d.env.Ui.Messages.size(), 1u);
        QCOMPARE(d.env.Ui.Messages[0].Text, QStringLiteral("Необходимо заполнить все поля."));
        QVERIFY(!QFileInfo::exists(folder));

        d.Edit("Edit5")->setText(QStringLiteral("a@b"));
        d.Ok()->click();
        QCOMPARE(d.env.Ui.Messages.size(), 1u);
        QVERIFY(d.File().startsWith("[UserInfo]\r\nCompanyType=0\r\nCompany=A\r\n"));
        QVERIFY(d.Details().UserInfoSpecified);
    }

    void noDetailsKeepsTheStoredOnes()
    {
        Dialog d;
        CustomerDetails kept;
        kept.Company = "Kept";
        d.dialog.setDetails(kept);
        d.Radio("RadioButton2")->click();
        d.Remind()->setChecked(true);
        d.Ok()->click();
        QVERIFY(d.File().contains("UserInfoSpecified=0\r\nRemindOnStartup=1\r\n"));
        QVERIFY(d.File().contains("Company=Old\r\n"));
        QVERIFY(d.Details().RemindOnStartup);
        QCOMPARE(d.Details().Company, std::string("Kept"));
    }

    void cancelKeepsTypedTextButChangesNothing()
    {
        Dialog d;
        d.Radio("RadioButton1")->click();
        const QByteArray before = d.File();
        OnNextModal([&](QDialog*) {
            d.Edit("Edit1")->setText(QStringLiteral("Новое"));
            d.Find<QPushButton>("Button2")->click();
        });
        d.dialog.exec();
        QCOMPARE(d.Edit("Edit1")->text(), QStringLiteral("Новое"));
        QCOMPARE(d.File(), before);
        QVERIFY(d.Details().Company.empty());
    }

    void aFileThatCannotBeWrittenKeepsTheDialogOpen()
    {
        Dialog d;
        QFile::remove(d.env.UserInfoFile());
        QDir().mkpath(d.env.UserInfoFile()); // a folder where the file should be
        d.Radio("RadioButton2")->click();
        d.Ok()->click();
        QCOMPARE(d.env.Ui.Messages.size(), 1u);
        QVERIFY(d.env.Ui.Messages[0].Text.startsWith(QStringLiteral("Unable to write to ")));
        QCOMPARE(d.env.Ui.Messages[0].Style, 16);
        QVERIFY(!d.Details().RemindOnStartup);
    }
};

QTEST_MAIN(CustomerDialogTest)
#include "CustomerDialog_test.moc"
