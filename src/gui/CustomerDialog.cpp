#include "gui/CustomerDialog.h"

#include "core/seams/Interaction.h"
#include "core/settings/IniFile.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "gui/ErrorHandler.h"
#include "gui/WidgetPlacement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

CustomerDialog::CustomerDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Пользовательские данные"));
    setFixedSize(361, 329);

    GroupBox1 = Place(new QGroupBox(QStringLiteral(" Данные о заказчике "), this), 8, 8, 345, 281);
    RadioButton1 =
        Place(new QRadioButton(QStringLiteral("Указать данные о пользователе:"), GroupBox1), 12, 20,
              300, 17);
    Label1 = Place(new QLabel(QStringLiteral("Наименование клиента:"), GroupBox1), 108, 42);
    ComboBox1 = Place(new QComboBox(GroupBox1), 28, 58, 72, 21);
    for (const char* companyType : kCompanyTypeNames)
        ComboBox1->addItem(QString::fromUtf8(companyType));
    ComboBox1->setCurrentIndex(0);
    Edit1 = Place(new QLineEdit(GroupBox1), 108, 58, 225, 21);
    Label2 = Place(new QLabel(QStringLiteral("ИНН:"), GroupBox1), 28, 86);
    Edit2 = Place(new QLineEdit(GroupBox1), 28, 102, 144, 21);
    Label3 = Place(new QLabel(QStringLiteral("Телефоны:"), GroupBox1), 180, 86);
    Edit3 = Place(new QLineEdit(GroupBox1), 180, 102, 153, 21);
    Label4 = Place(new QLabel(QStringLiteral("Контактное лицо:"), GroupBox1), 28, 130);
    Edit4 = Place(new QLineEdit(GroupBox1), 28, 146, 305, 21);
    Label5 = Place(new QLabel(QStringLiteral("E-mail:"), GroupBox1), 28, 174);
    Edit5 = Place(new QLineEdit(GroupBox1), 28, 190, 305, 21);
    RadioButton2 =
        Place(new QRadioButton(QStringLiteral("Не указывать пользовательские данные"), GroupBox1),
              12, 222, 300, 17);
    CheckBox1 = Place(new QCheckBox(QStringLiteral("Напоминать при входе в программу"), GroupBox1),
                      28, 246, 300, 17);
    Button1 = Place(new QPushButton(QStringLiteral("OK"), this), 96, 296, 75, 25);
    Button2 = Place(new QPushButton(QStringLiteral("Отмена"), this), 184, 296, 75, 25);
    Button1->setDefault(true);

    // Neither radio button is selected until the main window puts the dialog
    // into its mode, so the group must allow that state.
    auto* modes = new QButtonGroup(this);
    modes->setExclusive(false);
    modes->addButton(RadioButton1);
    modes->addButton(RadioButton2);
    RadioButton1->setAutoExclusive(false);
    RadioButton2->setAutoExclusive(false);

    connect(RadioButton1, &QRadioButton::clicked, this,
            Guard(this, &CustomerDialog::RadioButton1Click));
    connect(RadioButton2, &QRadioButton::clicked, this,
            Guard(this, &CustomerDialog::RadioButton2Click));
    connect(Button1, &QPushButton::clicked, this,
            Guard(this, &CustomerDialog::ApplyCustomerDetails));
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void CustomerDialog::Bind(CustomerDetails* details, const std::filesystem::path* userInfoPath)
{
    m_details = details;
    m_userInfoPath = userInfoPath;
}

void CustomerDialog::SetDetailsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Label3, Label4, Label5, Edit1,
                                                      Edit2, Edit3, Edit4, Edit5, ComboBox1})
        w->setEnabled(enabled);
    CheckBox1->setEnabled(!enabled);
}

void CustomerDialog::RadioButton1Click()
{
    RadioButton1->setChecked(true);
    RadioButton2->setChecked(false);
    SetDetailsEnabled(true);
}

void CustomerDialog::RadioButton2Click()
{
    RadioButton1->setChecked(false);
    RadioButton2->setChecked(true);
    SetDetailsEnabled(false);
}

void CustomerDialog::ApplyCustomerDetails()
{
    if (!m_details || !m_userInfoPath)
        return;
    TIniFile ini(*m_userInfoPath);
    if (RadioButton1->isChecked()) {
        for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5}) {
            if (edit->text().isEmpty()) {
                App().Ui->MessageBox(QStringLiteral("Необходимо заполнить все поля."),
                                     QStringLiteral("Ошибка"), MessageStyle::IconWarning);
                return;
            }
        }
        CustomerDetails entered;
        entered.UserInfoSpecified = true;
        entered.RemindOnStartup = false;
        entered.CompanyType = ComboBox1->currentIndex();
        const std::pair<QLineEdit*, std::string*> fields[] = {{Edit1, &entered.Company},
                                                              {Edit2, &entered.TIN},
                                                              {Edit3, &entered.Phones},
                                                              {Edit4, &entered.ContactPerson},
                                                              {Edit5, &entered.Email}};
        for (const auto& [edit, text] : fields) {
            *text = CustomerFieldText(ToCp1251(edit->text()));
            edit->setText(FromCp1251(*text)); // the box shows what is kept
        }

        ini.WriteInteger("UserInfo", "CompanyType", entered.CompanyType);
        ini.WriteString("UserInfo", "Company", entered.Company);
        ini.WriteString("UserInfo", "TIN", entered.TIN);
        ini.WriteString("UserInfo", "Phones", entered.Phones);
        ini.WriteString("UserInfo", "ContactPerson", entered.ContactPerson);
        ini.WriteString("UserInfo", "Email", entered.Email);
        ini.WriteBool("General", "UserInfoSpecified", true);
        ini.WriteBool("General", "RemindOnStartup", false);
        *m_details = entered;
        accept();
    } else if (RadioButton2->isChecked()) {
        ini.WriteBool("General", "UserInfoSpecified", false);
        ini.WriteBool("General", "RemindOnStartup", CheckBox1->isChecked());
        m_details->UserInfoSpecified = false;
        m_details->RemindOnStartup = CheckBox1->isChecked();
        accept();
    }
}
