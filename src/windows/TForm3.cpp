#include "windows/TForm3.h"

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("О программе"));
}
