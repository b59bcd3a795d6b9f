#pragma once

#include <QDialog>

class IUserInteraction;
class QLabel;

// The About window: what the program is, its version and two links to the
// maker, handed to the desktop shell.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(IUserInteraction& ui, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void colourLinks();
    void openSite();
    void writeMail();
    void centreOnParent();

    IUserInteraction& m_ui;
    QLabel* m_versionLabel;
    QLabel* m_siteLink;
    QLabel* m_mailLink;
};
