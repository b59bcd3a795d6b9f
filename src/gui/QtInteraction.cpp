#include "gui/QtInteraction.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QShortcut>
#include <QUrl>

namespace {

QMessageBox::Icon IconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        const QString pattern = parts[i + 1];
        filters << (description.endsWith(u'(' + pattern + u')')
                        ? description
                        : description + QStringLiteral(" (") + pattern + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

MessageAnswer QtInteraction::ShowMessageBox(const QString& text, const QString& caption,
                                            MessageButtons buttons, MessageIcon icon,
                                            DefaultButton defaultButton)
{
    QMessageBox box(IconOf(icon), caption, text, ButtonsOf(buttons), m_owner);
    if (defaultButton == DefaultButton::No)
        box.setDefaultButton(QMessageBox::No);
    // Ctrl+C copies what the box says, so that a message can be passed on.
    const auto* copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box, [&box] {
        QGuiApplication::clipboard()->setText(box.windowTitle() + u'\n' + box.text());
    });
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
}

std::optional<QString> QtInteraction::InputBox(const QString& caption, const QString& prompt,
                                               const QString& initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_owner, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtInteraction::OpenFileName(const FileDialogOptions& options)
{
    QFileDialog dialog(m_owner, QString(), options.FileName, QtFileFilter(options.Filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.DefaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtInteraction::SaveFileName(const FileDialogOptions& options)
{
    QFileDialog dialog(m_owner, QString(), options.FileName, QtFileFilter(options.Filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(options.DefaultExtension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the caller asks, see the interface
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool QtInteraction::ShellOpen(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool QtInteraction::ChoosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, m_owner);
    return dialog.exec() == QDialog::Accepted;
}
