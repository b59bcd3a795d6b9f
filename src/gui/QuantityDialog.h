#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The quantity dialog, used both for adding a product to the order and for
// changing an order line. It keeps no state between uses: the caller fills
// Memo1, Edit1, MinimumQuantity and EnteredQuantity before each exec() (or
// lets AskQuantity do it) and acts only on an EnteredQuantity above 0.
class QuantityDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QuantityDialog(QWidget* parent = nullptr);

    // Shows the dialog modally for one product and returns the accepted
    // quantity, or 0 when the dialog was cancelled or closed. Texts are
    // Windows-1251 bytes.
    int32_t AskQuantity(const std::string& sku, const std::string& name, int32_t minQuantity,
                        int32_t packing, int32_t startQuantity);

    // Replaces Memo1's text with the product's article code, name, minimum
    // quantity and packing. Texts are Windows-1251 bytes.
    void SetProductText(const std::string& sku, const std::string& name, int32_t minQuantity,
                        int32_t packing);

    // Reads Edit1 into EnteredQuantity and sets the hint in Label3; true when
    // the box holds a number not below MinimumQuantity. An empty box fails and
    // leaves the hint and EnteredQuantity as they were.
    bool CheckQuantity();

    void FormActivate();
    void Button1Click(); // OK
    void Button2Click(); // Cancel

    // Escape, the close box and every other way of rejecting act as Cancel.
    void reject() override;

    QLabel* Label1;
    QPlainTextEdit* Memo1;
    QLabel* Label2;
    QLineEdit* Edit1;
    QLabel* Label3;
    QPushButton* Button1;
    QPushButton* Button2;

    int32_t MinimumQuantity = 0;
    int32_t EnteredQuantity = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Both return true when they consumed the key.
    bool Edit1KeyDown(QKeyEvent* event);
    bool Edit1KeyPress(QKeyEvent* event);
    void SelectQuantity();
};
