#pragma once

#include "core/order/CustomerDetails.h"

#include <QDialog>
#include <filesystem>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The customer information dialog: either the customer's details or the
// statement that none are given, with a reminder at start-up.
class CustomerDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CustomerDialog(QWidget* parent = nullptr);

    // The main window's copy of the details and the path of userinfo.ini,
    // which OK updates.
    void Bind(CustomerDetails* details, const std::filesystem::path* userInfoPath);

    void RadioButton1Click();
    void RadioButton2Click();
    void ApplyCustomerDetails();

    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1;
    QComboBox* ComboBox1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QRadioButton* RadioButton2;
    QCheckBox* CheckBox1;
    QPushButton* Button1;
    QPushButton* Button2;

private:
    void SetDetailsEnabled(bool enabled);

    CustomerDetails* m_details = nullptr;
    const std::filesystem::path* m_userInfoPath = nullptr;
};
