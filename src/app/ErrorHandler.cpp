#include "app/ErrorHandler.h"

#include "app/AppState.h"
#include "app/Cp1251.h"
#include "app/ErrorText.h"
#include "app/Interaction.h"
#include "app/SystemErrorText.h"

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
