#pragma once

#include "core/seams/Interaction.h"

#include <QPointer>
#include <QWidget>

// The real dialogs: message boxes, input box, file dialogs, the desktop's
// "open" and the system print dialog, all modal over the owner window.
class QtInteraction : public IUserInteraction
{
public:
    void setOwner(QWidget* owner) { m_owner = owner; }

    std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                    const QString& initial) override;
    std::optional<QString> OpenFileName(const FileDialogOptions& options) override;
    std::optional<QString> SaveFileName(const FileDialogOptions& options) override;
    bool ShellOpen(const QString& url) override;
    bool ChoosePrinter(QPrinter& printer) override;

protected:
    MessageAnswer ShowMessageBox(const QString& text, const QString& caption,
                                 MessageButtons buttons, MessageIcon icon,
                                 DefaultButton defaultButton) override;

private:
    QPointer<QWidget> m_owner;
};

// "Description|pattern" as the file dialogs take it: "Description (pattern)".
QString QtFileFilter(const QString& filter);
