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

// The dialog bound to a details record and a userinfo.ini, as the main window binds it.
struct Dialog
{
    GuiTestEnvironment env;
    CustomerDetails details;
    std::filesystem::path path;
    CustomerDialog form2;

    Dialog()
    {
        env.Write(QStringLiteral("data/Pelmora/userinfo.ini"),
                  "[General]\r\nImgPreviewMode=2\r\n[UserInfo]\r\nCompany=Old\r\n");
        path = env.UserInfoFile().toStdString();
        form2.Bind(&details, &path);
    }
    void Fill(const QStringList& texts)
    {
        QLineEdit* edits[] = {form2.Edit1, form2.Edit2, form2.Edit3, form2.Edit4, form2.Edit5};
        for (int i = 0; i < 5; ++i)
            edits[i]->setText(texts.value(i));
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
        d.form2.RadioButton1Click();
        QVERIFY(d.form2.RadioButton1->isChecked() && !d.form2.RadioButton2->isChecked());
        QVERIFY(d.form2.Edit4->isEnabled() && d.form2.ComboBox1->isEnabled());
        QVERIFY(!d.form2.CheckBox1->isEnabled());
        d.form2.RadioButton2->click();
        QVERIFY(!d.form2.RadioButton1->isChecked() && d.form2.RadioButton2->isChecked());
        QVERIFY(!d.form2.Edit4->isEnabled() && !d.form2.Label1->isEnabled());
        QVERIFY(d.form2.CheckBox1->isEnabled());
    }

    void detailsAreWrittenInOrderAndKept()
    {
        Dialog d;
        d.form2.RadioButton1Click();
        d.form2.ComboBox1->setCurrentIndex(3);
        d.Fill({QStringLiteral("Ромашка"), QStringLiteral("7701"), QStringLiteral("+7 495"),
                QStringLiteral(" "), QStringLiteral("a@b.ru")}); // spaces count as filled
        d.form2.Button1->click();
        QCOMPARE(d.File(),
                 QByteArray("[General]\r\nImgPreviewMode=2\r\nUserInfoSpecified=1\r\n"
                            "RemindOnStartup=0\r\n[UserInfo]\r\nCompany=\xD0\xEE\xEC\xE0"
                            "\xF8\xEA\xE0\r\nCompanyType=3\r\nTIN=7701\r\nPhones=+7 495\r\n"
                            "ContactPerson= \r\nEmail=a@b.ru\r\n"));
        QVERIFY(d.details.UserInfoSpecified);
        QVERIFY(!d.details.RemindOnStartup);
        QCOMPARE(d.details.CompanyType, 3);
        QCOMPARE(d.details.Company, std::string("\xD0\xEE\xEC\xE0\xF8\xEA\xE0"));
        QCOMPARE(d.details.ContactPerson, std::string(" "));
    }

    void controlCharactersAreStoredAsBlanks()
    {
        Dialog d;
        d.form2.RadioButton1Click();
        d.Fill({QStringLiteral("a\nb"), QStringLiteral("77\t01"), QStringLiteral("1\r\n2"),
                QStringLiteral("Иван\x7F"), QStringLiteral("\x1B")});
        d.form2.Button1->click();
        QVERIFY(d.env.Ui.Messages.empty());

        const char* const keys[] = {"Company", "TIN", "Phones", "ContactPerson", "Email"};
        // Read back as the next start reads them; blanks at the ends are trimmed there.
        const std::string stored[] = {"a b", "77 01", "1  2", Utf8ToCp1251("Иван"), ""};
        const std::string* held[] = {&d.details.Company, &d.details.TIN, &d.details.Phones,
                                     &d.details.ContactPerson, &d.details.Email};
        TIniFile restarted(d.path);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(restarted.ReadString("UserInfo", keys[i], "?"), stored[i]);
            QCOMPARE(held[i]->find_first_of("\t\n\r\x1B\x7F"), std::string::npos);
        }
        QCOMPARE(d.form2.Edit1->text(), QStringLiteral("a b")); // the box shows what is kept
    }

    void anEmptyFieldIsRefused()
    {
        Dialog d;
        d.form2.RadioButton1Click();
        d.Fill({QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                QString()});
        const QByteArray before = d.File();
        d.form2.Button1->click();
        QCOMPARE(d.env.Ui.Messages.size(), 1u);
        QCOMPARE(d.env.Ui.Messages[0].Text, QStringLiteral("Необходимо заполнить все поля."));
        QCOMPARE(d.env.Ui.Messages[0].Caption, QStringLiteral("Ошибка"));
        QCOMPARE(d.env.Ui.Messages[0].Style, 48);
        QCOMPARE(d.File(), before);
        QVERIFY(!d.details.UserInfoSpecified);
    }

    void noDetailsKeepsTheStoredOnes()
    {
        Dialog d;
        d.details.Company = "Kept";
        d.form2.RadioButton2Click();
        d.form2.CheckBox1->setChecked(true);
        d.form2.Button1->click();
        QVERIFY(d.File().contains("UserInfoSpecified=0\r\nRemindOnStartup=1\r\n"));
        QVERIFY(d.File().contains("Company=Old\r\n"));
        QVERIFY(d.details.RemindOnStartup);
        QCOMPARE(d.details.Company, std::string("Kept"));
    }

    void cancelKeepsTypedTextButChangesNothing()
    {
        Dialog d;
        d.form2.RadioButton1Click();
        const QByteArray before = d.File();
        OnNextModal([&](QDialog* dialog) {
            d.form2.Edit1->setText(QStringLiteral("Новое"));
            static_cast<CustomerDialog*>(dialog)->Button2->click();
        });
        d.form2.exec();
        QCOMPARE(d.form2.Edit1->text(), QStringLiteral("Новое"));
        QCOMPARE(d.File(), before);
        QVERIFY(d.details.Company.empty());
    }

    void aFileThatCannotBeWrittenKeepsTheDialogOpen()
    {
        Dialog d;
        QFile::remove(d.env.UserInfoFile());
        QDir().mkpath(d.env.UserInfoFile()); // a folder where the file should be
        d.form2.RadioButton2Click();
        d.form2.Button1->click();
        QCOMPARE(d.env.Ui.Messages.size(), 1u);
        QVERIFY(d.env.Ui.Messages[0].Text.startsWith(QStringLiteral("Unable to write to ")));
        QCOMPARE(d.env.Ui.Messages[0].Style, 16);
        QVERIFY(!d.details.RemindOnStartup);
    }
};

QTEST_MAIN(CustomerDialogTest)
#include "CustomerDialog_test.moc"
