#include "gui/CustomerDialog.h"

#include "core/seams/Interaction.h"
#include "core/settings/Settings.h"
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
#include <system_error>
#include <utility>

namespace {

QLabel* FieldLabel(const QString& text, QWidget* parent, int x, int y, const char* designerName)
{
    return Named(Place(new QLabel(text, parent), x, y), designerName);
}

QLineEdit* FieldEdit(QWidget* parent, int x, int y, int width, const char* designerName)
{
    return Named(Place(new QLineEdit(parent), x, y, width, 21), designerName);
}

} // namespace

CustomerDialog::CustomerDialog(Settings& settings, IUserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_ui(ui)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Пользовательские данные"));
    setFixedSize(361, 329);

    auto* group =
        Named(Place(new QGroupBox(QStringLiteral(" Данные о заказчике "), this), 8, 8, 345, 281),
              "GroupBox1");
    m_detailsGivenButton =
        Named(Place(new QRadioButton(QStringLiteral("Указать данные о пользователе:"), group), 12,
                    20, 300, 17),
              "RadioButton1");
    QLabel* companyLabel =
        FieldLabel(QStringLiteral("Наименование клиента:"), group, 108, 42, "Label1");
    m_companyTypeBox = Named(Place(new QComboBox(group), 28, 58, 72, 21), "ComboBox1");
    for (const char* companyType : kCompanyTypeNames)
        m_companyTypeBox->addItem(QString::fromUtf8(companyType));
    m_companyTypeBox->setCurrentIndex(0);
    m_companyEdit = FieldEdit(group, 108, 58, 225, "Edit1");
    QLabel* tinLabel = FieldLabel(QStringLiteral("ИНН:"), group, 28, 86, "Label2");
    m_tinEdit = FieldEdit(group, 28, 102, 144, "Edit2");
    QLabel* phonesLabel = FieldLabel(QStringLiteral("Телефоны:"), group, 180, 86, "Label3");
    m_phonesEdit = FieldEdit(group, 180, 102, 153, "Edit3");
    QLabel* contactLabel = FieldLabel(QStringLiteral("Контактное лицо:"), group, 28, 130, "Label4");
    m_contactPersonEdit = FieldEdit(group, 28, 146, 305, "Edit4");
    QLabel* emailLabel = FieldLabel(QStringLiteral("E-mail:"), group, 28, 174, "Label5");
    m_emailEdit = FieldEdit(group, 28, 190, 305, "Edit5");
    m_noDetailsButton =
        Named(Place(new QRadioButton(QStringLiteral("Не указывать пользовательские данные"), group),
                    12, 222, 300, 17),
              "RadioButton2");
    m_remindCheckBox =
        Named(Place(new QCheckBox(QStringLiteral("Напоминать при входе в программу"), group), 28,
                    246, 300, 17),
              "CheckBox1");
    auto* okButton =
        Named(Place(new QPushButton(QStringLiteral("OK"), this), 96, 296, 75, 25), "Button1");
    auto* cancelButton =
        Named(Place(new QPushButton(QStringLiteral("Отмена"), this), 184, 296, 75, 25), "Button2");
    okButton->setDefault(true);
    m_detailFields = {companyLabel,        tinLabel,      phonesLabel,     contactLabel,
                      emailLabel,          m_companyEdit, m_tinEdit,       m_phonesEdit,
                      m_contactPersonEdit, m_emailEdit,   m_companyTypeBox};

    groupModeButtons();

    connect(m_detailsGivenButton, &QRadioButton::clicked, this,
            Guard(m_ui, this, &CustomerDialog::chooseDetailsGiven));
    connect(m_noDetailsButton, &QRadioButton::clicked, this,
            Guard(m_ui, this, &CustomerDialog::chooseNoDetails));
    connect(okButton, &QPushButton::clicked, this,
            Guard(m_ui, this, &CustomerDialog::applyDetails));
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

// Neither radio button is selected until the main window puts the dialog
// into its mode, so the group must allow that state.
void CustomerDialog::groupModeButtons()
{
    auto* modes = new QButtonGroup(this);
    modes->setExclusive(false);
    modes->addButton(m_detailsGivenButton);
    modes->addButton(m_noDetailsButton);
    m_detailsGivenButton->setAutoExclusive(false);
    m_noDetailsButton->setAutoExclusive(false);
}

void CustomerDialog::setDetails(const CustomerDetails& details)
{
    m_details = details;
    if (details.UserInfoSpecified) {
        const std::pair<QLineEdit*, const std::string*> fields[] = {
            {m_companyEdit, &details.Company},
            {m_tinEdit, &details.TIN},
            {m_phonesEdit, &details.Phones},
            {m_contactPersonEdit, &details.ContactPerson},
            {m_emailEdit, &details.Email}};
        for (const auto& [edit, text] : fields)
            edit->setText(FromCp1251(*text));
        m_companyTypeBox->setCurrentIndex(details.CompanyType);
    }
    m_remindCheckBox->setChecked(details.RemindOnStartup);
    if (details.UserInfoSpecified)
        chooseDetailsGiven();
    else
        chooseNoDetails();
}

void CustomerDialog::setDetailFieldsEnabled(bool enabled)
{
    for (QWidget* field : std::as_const(m_detailFields))
        field->setEnabled(enabled);
    m_remindCheckBox->setEnabled(!enabled);
}

void CustomerDialog::chooseDetailsGiven()
{
    m_detailsGivenButton->setChecked(true);
    m_noDetailsButton->setChecked(false);
    setDetailFieldsEnabled(true);
}

void CustomerDialog::chooseNoDetails()
{
    m_detailsGivenButton->setChecked(false);
    m_noDetailsButton->setChecked(true);
    setDetailFieldsEnabled(false);
}

void CustomerDialog::applyDetails()
{
    // Before the settings files are open there is nowhere to keep the choice.
    if (!m_settings.isOpen())
        return;
    if (m_detailsGivenButton->isChecked())
        storeEnteredDetails();
    else if (m_noDetailsButton->isChecked())
        storeNoDetails();
}

void CustomerDialog::storeEnteredDetails()
{
    const std::pair<QLineEdit*, std::string CustomerDetails::*> fields[] = {
        {m_companyEdit, &CustomerDetails::Company},
        {m_tinEdit, &CustomerDetails::TIN},
        {m_phonesEdit, &CustomerDetails::Phones},
        {m_contactPersonEdit, &CustomerDetails::ContactPerson},
        {m_emailEdit, &CustomerDetails::Email}};
    for (const auto& field : fields) {
        if (field.first->text().isEmpty()) {
            m_ui.MessageBox(QStringLiteral("Необходимо заполнить все поля."),
                            QStringLiteral("Ошибка"), MessageButtons::Ok, MessageIcon::Warning);
            return;
        }
    }
    CustomerDetails entered;
    entered.UserInfoSpecified = true;
    entered.RemindOnStartup = false;
    entered.CompanyType = m_companyTypeBox->currentIndex();
    for (const auto& [edit, text] : fields) {
        entered.*text = CustomerFieldText(ToCp1251(edit->text()));
        edit->setText(FromCp1251(entered.*text)); // the box shows what is kept
    }
    m_settings.storeCustomerDetails(entered);
    m_details = entered;
    accept();
}

void CustomerDialog::storeNoDetails()
{
    CustomerDetails withdrawn = m_details;
    withdrawn.UserInfoSpecified = false;
    withdrawn.RemindOnStartup = m_remindCheckBox->isChecked();
    m_settings.storeCustomerDetails(withdrawn);
    m_details.UserInfoSpecified = false;
    m_details.RemindOnStartup = withdrawn.RemindOnStartup;
    accept();
}
