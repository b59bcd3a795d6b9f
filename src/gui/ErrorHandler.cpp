#include "gui/ErrorHandler.h"

#include "core/seams/Interaction.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "core/text/ErrorText.h"
#include "core/text/SystemErrorText.h"

#include <QCoreApplication>

QString AppTitle()
{
    return QString::fromStdString(
        ApplicationTitle(QCoreApplication::applicationFilePath().toStdString()));
}

void ShowGeneralError(const std::exception& error)
{
    if (!App().Ui)
        return;
    App().Ui->MessageBox(FromCp1251(ErrorBoxText(ExceptionText(error))), AppTitle(),
                         MessageStyle::Ok | MessageStyle::IconError);
}
