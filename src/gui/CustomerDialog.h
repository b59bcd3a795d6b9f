#pragma once

#include "core/order/CustomerDetails.h"

#include <QDialog>
#include <QList>

class IUserInteraction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Settings;

// The customer information dialog: either the customer's details or the
// statement that none are given, with a reminder at start-up. OK stores the
// choice in the settings and keeps it as details().
class CustomerDialog : public QDialog
{
    Q_OBJECT
public:
    CustomerDialog(Settings& settings, IUserInteraction& ui, QWidget* parent = nullptr);

    // Shows `details` as stored: the fields only when details are given.
    void setDetails(const CustomerDetails& details);
    const CustomerDetails& details() const { return m_details; }

private:
    void groupModeButtons();
    void chooseDetailsGiven();
    void chooseNoDetails();
    void setDetailFieldsEnabled(bool enabled);
    void applyDetails();
    void storeEnteredDetails();
    void storeNoDetails();

    Settings& m_settings;
    IUserInteraction& m_ui;
    QRadioButton* m_detailsGivenButton;
    QComboBox* m_companyTypeBox;
    QLineEdit* m_companyEdit;
    QLineEdit* m_tinEdit;
    QLineEdit* m_phonesEdit;
    QLineEdit* m_contactPersonEdit;
    QLineEdit* m_emailEdit;
    QRadioButton* m_noDetailsButton;
    QCheckBox* m_remindCheckBox;
    QList<QWidget*> m_detailFields; // labels and boxes of the details

    CustomerDetails m_details;
};
