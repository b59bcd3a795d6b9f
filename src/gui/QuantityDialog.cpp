#include "gui/QuantityDialog.h"

#include "core/seams/Interaction.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "gui/ErrorHandler.h"
#include "gui/WidgetPlacement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

namespace {

// The quantity box: the dialog sees each key before the box does, and checks
// the box again once the key has been applied to it.
class TQuantityEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

    std::function<bool(QKeyEvent*)> BeforeKey; // true when the key is consumed
    std::function<void()> AfterKey;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (BeforeKey && BeforeKey(event)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        if (AfterKey)
            AfterKey();
    }
};

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Typed text the box refuses: any printable character but a decimal digit.
// Control characters (Backspace, the Ctrl shortcuts such as paste) pass.
bool IsRefusedText(const QString& text)
{
    for (QChar c : text) {
        if (c.isPrint() && !IsDigit(c))
            return true;
    }
    return false;
}

} // namespace

QuantityDialog::QuantityDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Добавление товара"));
    setFixedSize(513, 127);

    Label1 = Place(new QLabel(QStringLiteral("Добавить в заказ следующий товар:"), this), 8, 8);
    Memo1 = Place(new QPlainTextEdit(this), 8, 24, 497, 65);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Window));
    Memo1->setPalette(memoPalette);

    Label2 = Place(new QLabel(QStringLiteral("Введите количество:"), this), 8, 100);
    auto* edit = Place(new TQuantityEdit(this), 120, 96, 73, 21);
    Edit1 = edit;
    Label3 = Place(new QLabel(this), 200, 100, 136, 14);
    QFont hintFont = Label3->font();
    hintFont.setPixelSize(9);
    Label3->setFont(hintFont);
    QPalette hintPalette = Label3->palette();
    hintPalette.setColor(QPalette::WindowText, Qt::red);
    Label3->setPalette(hintPalette);

    Button1 = Place(new QPushButton(QStringLiteral("OK"), this), 344, 95, 75, 25);
    Button2 = Place(new QPushButton(QStringLiteral("Отмена"), this), 430, 95, 75, 25);
    Button1->setDefault(true);

    edit->BeforeKey = [this](QKeyEvent* event) {
        bool consumed = false;
        Guarded([&] { consumed = Edit1KeyDown(event) || Edit1KeyPress(event); });
        return consumed;
    };
    edit->AfterKey = Guard(this, &QuantityDialog::CheckQuantity);
    // Edits made with the mouse (a paste from the context menu) are checked too.
    connect(Edit1, &QLineEdit::textEdited, this, Guard(this, &QuantityDialog::CheckQuantity));
    connect(Button1, &QPushButton::clicked, this, Guard(this, &QuantityDialog::Button1Click));
    connect(Button2, &QPushButton::clicked, this, Guard(this, &QuantityDialog::Button2Click));
}

int32_t QuantityDialog::AskQuantity(const std::string& sku, const std::string& name,
                                    int32_t minQuantity, int32_t packing, int32_t startQuantity)
{
    SetProductText(sku, name, minQuantity, packing);
    MinimumQuantity = minQuantity;
    EnteredQuantity = 0;
    Label3->clear();
    Edit1->setText(QString::number(startQuantity));
    exec();
    return EnteredQuantity;
}

void QuantityDialog::SetProductText(const std::string& sku, const std::string& name,
                                    int32_t minQuantity, int32_t packing)
{
    Memo1->setPlainText(u'[' + FromCp1251(sku) + QStringLiteral("] ") + FromCp1251(name) +
                        QStringLiteral("\n\nМинимальное кол-во: ") + QString::number(minQuantity) +
                        QStringLiteral("        Кол-во в коробке: ") + QString::number(packing));
}

bool QuantityDialog::CheckQuantity()
{
    const QString text = Edit1->text();
    if (text.isEmpty())
        return false;
    Label3->clear();
    int32_t number = 0;
    if (!TryStrToInt(ToCp1251(text), number)) {
        EnteredQuantity = 0;
        Label3->setText(QStringLiteral("Неверное кол-во"));
        return false;
    }
    EnteredQuantity = number;
    if (MinimumQuantity > number) {
        Label3->setText(QStringLiteral("Мин. кол-во: ") + QString::number(MinimumQuantity));
        return false;
    }
    return true;
}

void QuantityDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Centred on the main window every time, even after the user moved it.
    adjustPosition(parentWidget());
    Guarded([this] { FormActivate(); });
}

void QuantityDialog::FormActivate()
{
    SelectQuantity();
    CheckQuantity();
}

void QuantityDialog::SelectQuantity()
{
    Edit1->setFocus();
    Edit1->selectAll();
}

bool QuantityDialog::Edit1KeyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        Button2Click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Button1Click();
        return true;
    default:
        return false;
    }
}

bool QuantityDialog::Edit1KeyPress(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    if (!IsRefusedText(event->text()))
        return false;
    CheckQuantity();
    return true;
}

void QuantityDialog::Button1Click()
{
    if (CheckQuantity() && EnteredQuantity >= MinimumQuantity) {
        accept();
        return;
    }
    if (App().Ui)
        App().Ui->MessageBox(QStringLiteral("Неверно указано количество товара"), AppTitle(),
                             MessageStyle::Ok);
    SelectQuantity();
}

void QuantityDialog::Button2Click()
{
    EnteredQuantity = 0;
    Edit1->clear();
    QDialog::reject();
}

void QuantityDialog::reject()
{
    Guarded([this] { Button2Click(); });
}
