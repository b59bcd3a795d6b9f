#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

// The About window: what the program is, its version and two links to the
// maker, handed to the desktop shell.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow();
    void Label3Click();
    void Label3MouseEnter();
    void Label3MouseLeave();
    void Label4Click();
    void Label4MouseEnter();
    void Label4MouseLeave();
    void Button1Click();

    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label2;
    QLabel* Label5;
    QLabel* Label3;
    QLabel* Label6;
    QLabel* Label4;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CentreOnParent();
};
