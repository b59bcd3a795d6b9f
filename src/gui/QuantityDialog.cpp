#include "gui/QuantityDialog.h"

#include "core/order/BoxQuantity.h"
#include "core/order/OrderMessages.h"
#include "core/seams/Interaction.h"
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
class QuantityEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

    std::function<bool(QKeyEvent*)> beforeKey; // true when the key is consumed
    std::function<void()> afterKey;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (beforeKey && beforeKey(event)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        if (afterKey)
            afterKey();
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

QuantityDialog::QuantityDialog(IUserInteraction& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Добавление товара"));
    setFixedSize(513, 127);

    Named(Place(new QLabel(QStringLiteral("Добавить в заказ следующий товар:"), this), 8, 8),
          "Label1");
    m_productText = Named(Place(new QPlainTextEdit(this), 8, 24, 497, 65), "Memo1");
    m_productText->setReadOnly(true);
    m_productText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = m_productText->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Window));
    m_productText->setPalette(memoPalette);

    Named(Place(new QLabel(QStringLiteral("Введите количество:"), this), 8, 100), "Label2");
    auto* edit = Named(Place(new QuantityEdit(this), 120, 96, 73, 21), "Edit1");
    m_quantityEdit = edit;
    m_hintLabel = Named(Place(new QLabel(this), 200, 100, 136, 14), "Label3");
    QFont hintFont = m_hintLabel->font();
    hintFont.setPixelSize(9);
    m_hintLabel->setFont(hintFont);
    QPalette hintPalette = m_hintLabel->palette();
    hintPalette.setColor(QPalette::WindowText, Qt::red);
    m_hintLabel->setPalette(hintPalette);

    m_okButton =
        Named(Place(new QPushButton(QStringLiteral("OK"), this), 344, 95, 75, 25), "Button1");
    m_cancelButton =
        Named(Place(new QPushButton(QStringLiteral("Отмена"), this), 430, 95, 75, 25), "Button2");
    m_okButton->setDefault(true);

    // Shown only for products sold in boxes of several pieces.
    m_boxesLabel = Named(Place(new QLabel(this), 120, 124, 216, 14), "BoxesLabel");
    m_wholeBoxButton =
        Named(Place(new QPushButton(QStringLiteral("До целой коробки"), this), 344, 124, 161, 25),
              "WholeBoxButton");
    m_wholeBoxButton->setAutoDefault(false);

    edit->beforeKey = [this](QKeyEvent* event) {
        bool consumed = false;
        Guarded(m_ui, [&] { consumed = handleFinishingKey(event) || refuseNonDigit(event); });
        return consumed;
    };
    edit->afterKey = Guard(m_ui, this, &QuantityDialog::checkQuantity);
    // Edits made with the mouse (a paste from the context menu) are checked too.
    connect(m_quantityEdit, &QLineEdit::textEdited, this,
            Guard(m_ui, this, &QuantityDialog::checkQuantity));
    connect(m_quantityEdit, &QLineEdit::textChanged, this,
            Guard(m_ui, this, &QuantityDialog::showBoxes));
    connect(m_wholeBoxButton, &QPushButton::clicked, this,
            Guard(m_ui, this, &QuantityDialog::roundToWholeBoxes));
    connect(m_okButton, &QPushButton::clicked, this, Guard(m_ui, this, &QuantityDialog::confirm));
    connect(m_cancelButton, &QPushButton::clicked, this,
            Guard(m_ui, this, &QuantityDialog::cancel));
}

int32_t QuantityDialog::askQuantity(const std::string& sku, const std::string& name,
                                    int32_t minQuantity, int32_t packing, int32_t startQuantity)
{
    setProductText(sku, name, minQuantity, packing);
    m_minimumQuantity = minQuantity;
    m_enteredQuantity = 0;
    m_packing = packing;
    const bool inBoxes = packing > 1;
    m_boxesLabel->setVisible(inBoxes);
    m_wholeBoxButton->setVisible(inBoxes);
    setFixedSize(513, inBoxes ? 157 : 127);
    m_hintLabel->clear();
    m_quantityEdit->setText(QString::number(startQuantity));
    showBoxes();
    exec();
    return m_enteredQuantity;
}

void QuantityDialog::setProductText(const std::string& sku, const std::string& name,
                                    int32_t minQuantity, int32_t packing)
{
    m_productText->setPlainText(
        u'[' + FromCp1251(sku) + QStringLiteral("] ") + FromCp1251(name) +
        QStringLiteral("\n\nМинимальное кол-во: ") + QString::number(minQuantity) +
        QStringLiteral("        Кол-во в коробке: ") + QString::number(packing));
}

bool QuantityDialog::checkQuantity()
{
    const QString text = m_quantityEdit->text();
    if (text.isEmpty())
        return false;
    m_hintLabel->clear();
    int32_t number = 0;
    if (!TryStrToInt(ToCp1251(text), number)) {
        m_enteredQuantity = 0;
        m_hintLabel->setText(QStringLiteral("Неверное кол-во"));
        return false;
    }
    m_enteredQuantity = number;
    if (m_minimumQuantity > number) {
        m_hintLabel->setText(QStringLiteral("Мин. кол-во: ") + QString::number(m_minimumQuantity));
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
    Guarded(m_ui, [this] {
        selectQuantity();
        checkQuantity();
    });
}

void QuantityDialog::selectQuantity()
{
    m_quantityEdit->setFocus();
    m_quantityEdit->selectAll();
}

void QuantityDialog::showBoxes()
{
    int32_t number = 0;
    const bool read = TryStrToInt(ToCp1251(m_quantityEdit->text()), number);
    m_boxesLabel->setText(read ? FromCp1251(BoxesText(number, m_packing)) : QString());
}

void QuantityDialog::roundToWholeBoxes()
{
    int32_t number = 0;
    if (!TryStrToInt(ToCp1251(m_quantityEdit->text()), number))
        number = 0;
    if (const std::optional<int32_t> whole =
            WholeBoxQuantity(number, m_packing, m_minimumQuantity)) {
        m_quantityEdit->setText(QString::number(*whole));
        checkQuantity();
    }
    selectQuantity();
}

bool QuantityDialog::handleFinishingKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        cancel();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        confirm();
        return true;
    default:
        return false;
    }
}

bool QuantityDialog::refuseNonDigit(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    if (!IsRefusedText(event->text()))
        return false;
    checkQuantity();
    return true;
}

void QuantityDialog::confirm()
{
    if (checkQuantity() && m_enteredQuantity >= m_minimumQuantity) {
        accept();
        return;
    }
    m_ui.MessageBox(QString::fromUtf8(OrderMessages::kQuantityRefused), AppTitle(),
                    MessageButtons::Ok, MessageIcon::None);
    selectQuantity();
}

void QuantityDialog::cancel()
{
    m_enteredQuantity = 0;
    m_quantityEdit->clear();
    QDialog::reject();
}

void QuantityDialog::reject()
{
    Guarded(m_ui, [this] { cancel(); });
}
