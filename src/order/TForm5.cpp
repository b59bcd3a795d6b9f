#include "order/TForm5.h"

TForm5::TForm5(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Заказ"));
}
