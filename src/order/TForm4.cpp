#include "order/TForm4.h"

TForm4::TForm4(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Добавление товара"));
}
