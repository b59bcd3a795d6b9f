#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class IUserInteraction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The quantity dialog, used both for adding a product to the order and for
// changing an order line. It keeps no state between uses: askQuantity fills
// the product text, the quantity box and the minimum before each showing, and
// the caller acts only on a quantity above 0.
class QuantityDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QuantityDialog(IUserInteraction& ui, QWidget* parent = nullptr);

    // Shows the dialog modally for one product and returns the accepted
    // quantity, or 0 when the dialog was cancelled or closed. Texts are
    // Windows-1251 bytes.
    int32_t askQuantity(const std::string& sku, const std::string& name, int32_t minQuantity,
                        int32_t packing, int32_t startQuantity);

    // The quantity as last read from the box; 0 after a cancel or an unreadable number.
    int32_t enteredQuantity() const { return m_enteredQuantity; }

    // Escape, the close box and every other way of rejecting act as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setProductText(const std::string& sku, const std::string& name, int32_t minQuantity,
                        int32_t packing);
    // Reads the box into m_enteredQuantity and sets the hint; true when the
    // box holds a number not below the minimum. An empty box fails and
    // leaves the hint and the quantity as they were.
    bool checkQuantity();
    void confirm();
    void cancel();
    // Both return true when they consumed the key.
    bool handleFinishingKey(QKeyEvent* event);
    bool refuseNonDigit(QKeyEvent* event);
    void selectQuantity();
    // The quantity in the product's boxes under the box, as typed.
    void showBoxes();
    void roundToWholeBoxes();

    IUserInteraction& m_ui;
    QPlainTextEdit* m_productText;
    QLineEdit* m_quantityEdit;
    QLabel* m_hintLabel;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    QLabel* m_boxesLabel;
    QPushButton* m_wholeBoxButton;

    int32_t m_minimumQuantity = 0;
    int32_t m_enteredQuantity = 0;
    int32_t m_packing = 0;
};
