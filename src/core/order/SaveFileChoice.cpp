#include "core/order/SaveFileChoice.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool UserAllowsReplacing(IUserInteraction& ui, const QString& path)
{
    const QFileInfo existing(path);
    if (!existing.exists() || existing.isDir())
        return true;
    // "No" is the default: Enter alone must not destroy a file.
    return ui.MessageBox(QStringLiteral("Файл «%1» уже существует.\nЗаменить его?")
                             .arg(QDir::toNativeSeparators(path)),
                         QStringLiteral("Сохранение"), MessageButtons::YesNo, MessageIcon::Question,
                         DefaultButton::No) == MessageAnswer::Yes;
}

} // namespace

std::optional<QString> ChooseFileToSave(IUserInteraction& ui, FileDialogOptions dialog,
                                        const std::function<QString(const QString&)>& completeName)
{
    while (const std::optional<QString> chosen = ui.SaveFileName(dialog)) {
        const QString path = completeName(*chosen);
        if (UserAllowsReplacing(ui, path))
            return path;
        dialog.FileName = path;
    }
    return std::nullopt;
}
