#pragma once

#include <QDialog>

// The order preview window.
class TForm5 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};
