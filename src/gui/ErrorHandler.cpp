#include "gui/ErrorHandler.h"

#include "core/seams/Interaction.h"
#include "core/text/Cp1251.h"
#include "core/text/ErrorText.h"
#include "core/text/SystemErrorText.h"

#include <QCoreApplication>

QString AppTitle()
{
    return QString::fromStdString(
        ApplicationTitle(QCoreApplication::applicationFilePath().toStdString()));
}

void ShowGeneralError(IUserInteraction& ui, const std::exception& error)
{
    ui.MessageBox(FromCp1251(ErrorBoxText(ExceptionText(error))), AppTitle(), MessageButtons::Ok,
                  MessageIcon::Error);
}
