#include "core/text/Cp1251.h"
#include "gui/ErrorHandler.h"
#include "gui/QuantityDialog.h"
#include "support/GuiTestEnvironment.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

namespace {

const QString BelowMinimum = QStringLiteral("Мин. кол-во: 6");
const QString BadNumber = QStringLiteral("Неверное кол-во");
const QString Refused = QStringLiteral("Неверно указано количество товара");

enum class Finish
{
    OkButton,
    Return,
    KeypadEnter,
    Escape,
    CancelButton,
    CloseBox,
    EscapeOnButton,
};

template <typename Control> Control* Part(const QuantityDialog& dialog, const char* designerName)
{
    return dialog.findChild<Control*>(QLatin1StringView(designerName));
}
QLineEdit* QuantityBox(const QuantityDialog& dialog)
{
    return Part<QLineEdit>(dialog, "Edit1");
}
QLabel* Hint(const QuantityDialog& dialog)
{
    return Part<QLabel>(dialog, "Label3");
}
QPushButton* OkButton(const QuantityDialog& dialog)
{
    return Part<QPushButton>(dialog, "Button1");
}
QPushButton* CancelButton(const QuantityDialog& dialog)
{
    return Part<QPushButton>(dialog, "Button2");
}

void Press(QuantityDialog& dialog, Finish finish)
{
    switch (finish) {
    case Finish::OkButton:
        QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
        break;
    case Finish::Return:
        QTest::keyClick(QuantityBox(dialog), Qt::Key_Return);
        break;
    case Finish::KeypadEnter:
        QTest::keyClick(QuantityBox(dialog), Qt::Key_Enter, Qt::KeypadModifier);
        break;
    case Finish::Escape:
        QTest::keyClick(QuantityBox(dialog), Qt::Key_Escape);
        break;
    case Finish::CancelButton:
        QTest::mouseClick(CancelButton(dialog), Qt::LeftButton);
        break;
    case Finish::CloseBox:
        dialog.close();
        break;
    case Finish::EscapeOnButton:
        OkButton(dialog)->setFocus();
        QTest::keyClick(OkButton(dialog), Qt::Key_Escape);
        break;
    }
}

// One use of the dialog as the main window makes it; `inside` acts on the
// open dialog and whatever it leaves open is cancelled, so a failed check
// never leaves the test waiting.
int32_t Ask(QuantityDialog& dialog, int32_t minimum, int32_t start,
            const std::function<void(QuantityDialog&)>& inside)
{
    OnNextModal([&dialog, inside](QDialog* open) {
        if (open == &dialog)
            inside(dialog);
        if (open->isVisible())
            open->reject();
    });
    return dialog.askQuantity(Cp("AB-1"), Cp("Кружка"), minimum, 24, start);
}

QTestEventList Typed(const char* text)
{
    QTestEventList events;
    events.addKeyClicks(QString::fromUtf8(text));
    return events;
}

} // namespace

Q_DECLARE_METATYPE(Finish)

class QuantityDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void looksAsDesigned()
    {
        QWidget owner;
        owner.setGeometry(0, 0, 600, 400);
        FakeInteraction ui;
        QuantityDialog dialog(ui, &owner);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Добавление товара"));
        QCOMPARE(dialog.size(), QSize(513, 127));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        const auto* productText = Part<QPlainTextEdit>(dialog, "Memo1");
        QCOMPARE(productText->size(), QSize(497, 65));
        QVERIFY(productText->isReadOnly());
        QCOMPARE(productText->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(Part<QLabel>(dialog, "Label1")->text(),
                 QStringLiteral("Добавить в заказ следующий товар:"));
        QCOMPARE(Part<QLabel>(dialog, "Label2")->text(), QStringLiteral("Введите количество:"));
        QVERIFY(Hint(dialog)->text().isEmpty());
        QCOMPARE(Hint(dialog)->font().pixelSize(), 9);
        QCOMPARE(Hint(dialog)->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(OkButton(dialog)->text(), QStringLiteral("OK"));
        QCOMPARE(CancelButton(dialog)->text(), QStringLiteral("Отмена"));

        OnNextModal([&](QDialog* open) {
            QCOMPARE(productText->toPlainText(),
                     QStringLiteral("[AB-1] Кружка «Зима»\n\nМинимальное кол-во: 6        "
                                    "Кол-во в коробке: 24"));
            open->move(5, 5);
            open->reject();
        });
        dialog.askQuantity(Cp("AB-1"), Cp("Кружка «Зима»"), 6, 24, 6);

        // Centred again on the next use, after the user moved it away.
        QPoint centre;
        Ask(dialog, 6, 6, [&](QuantityDialog& open) { centre = open.geometry().center(); });
        QVERIFY((centre - owner.geometry().center()).manhattanLength() <= 2);
    }

    // The walk through a refused and a corrected quantity.
    void belowMinimumIsRefusedUntilCorrected()
    {
        GuiTestEnvironment env;
        QuantityDialog dialog(env.Ui);
        bool openDuringMessage = false;
        env.Ui.OnMessage = [&](const FakeInteraction::Message&) {
            openDuringMessage = dialog.isVisible();
        };
        const int32_t result = Ask(dialog, 6, 6, [&](QuantityDialog& open) {
            QCOMPARE(open.focusWidget(), QuantityBox(open));
            QCOMPARE(QuantityBox(open)->selectedText(), QStringLiteral("6"));
            QVERIFY(Hint(open)->text().isEmpty());
            QCOMPARE(open.enteredQuantity(), 6);

            QTest::keyClicks(QuantityBox(open), QStringLiteral("5"));
            QCOMPARE(Hint(open)->text(), BelowMinimum);
            Press(open, Finish::OkButton);
            QVERIFY(open.isVisible());
            QCOMPARE(env.Ui.Messages.size(), 1u);
            QCOMPARE(env.Ui.Messages[0].Text, Refused);
            QCOMPARE(env.Ui.Messages[0].Caption, AppTitle());
            QCOMPARE(env.Ui.Messages[0].Style, 0);
            QVERIFY(openDuringMessage);
            QCOMPARE(open.focusWidget(), QuantityBox(open));
            QCOMPARE(QuantityBox(open)->selectedText(), QStringLiteral("5"));

            QTest::keyClicks(QuantityBox(open), QStringLiteral("12"));
            QVERIFY(Hint(open)->text().isEmpty());
            Press(open, Finish::OkButton);
            QVERIFY(!open.isVisible());
        });
        QCOMPARE(result, 12);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(env.Ui.Messages.size(), 1u);
    }

    void keysAppliedToTheBox_data()
    {
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<int>("entered");

        QTest::newRow("digit replaces the selection")
            << Typed("5") << QStringLiteral("5") << BelowMinimum << 5;
        QTest::newRow("valid number")
            << Typed("12") << QStringLiteral("12") << QStringLiteral("") << 12;
        QTest::newRow("letter changes nothing")
            << Typed("a") << QStringLiteral("6") << QStringLiteral("") << 6;
        QTest::newRow("only digits get through")
            << Typed("1x -2,.") << QStringLiteral("12") << QStringLiteral("") << 12;
        QTest::newRow("largest integer") << Typed("2147483647") << QStringLiteral("2147483647")
                                         << QStringLiteral("") << INT32_MAX;
        QTest::newRow("beyond the integer range")
            << Typed("2147483648") << QStringLiteral("2147483648") << BadNumber << 0;

        QTestEventList emptied = Typed("5");
        emptied.addKeyClick(Qt::Key_Backspace);
        QTest::newRow("emptied box keeps the last check")
            << emptied << QStringLiteral("") << BelowMinimum << 5;

        QTestEventList appended;
        appended.addKeyClick(Qt::Key_End);
        appended.addKeyClicks(QStringLiteral("0"));
        QTest::newRow("end then digit")
            << appended << QStringLiteral("60") << QStringLiteral("") << 60;

        QTestEventList deleted = appended;
        deleted.addKeyClick(Qt::Key_Home);
        deleted.addKeyClick(Qt::Key_Delete);
        QTest::newRow("home and delete") << deleted << QStringLiteral("0") << BelowMinimum << 0;

        QTestEventList reselected = appended;
        reselected.addKeyClick(Qt::Key_Home, Qt::ShiftModifier);
        reselected.addKeyClicks(QStringLiteral("9"));
        QTest::newRow("shift selection")
            << reselected << QStringLiteral("9") << QStringLiteral("") << 9;

        QTestEventList selectAll = appended;
        selectAll.addKeyClick(Qt::Key_A, Qt::ControlModifier);
        selectAll.addKeyClicks(QStringLiteral("8"));
        QTest::newRow("select all shortcut")
            << selectAll << QStringLiteral("8") << QStringLiteral("") << 8;

        QTestEventList keypad;
        keypad.addKeyClick(Qt::Key_7, Qt::KeypadModifier);
        QTest::newRow("keypad digit") << keypad << QStringLiteral("7") << QStringLiteral("") << 7;
    }

    void keysAppliedToTheBox()
    {
        QFETCH(QTestEventList, keys);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        QFETCH(int, entered);

        GuiTestEnvironment env;
        QuantityDialog dialog(env.Ui);
        Ask(dialog, 6, 6, [&](QuantityDialog& open) {
            keys.simulate(QuantityBox(open));
            QCOMPARE(QuantityBox(open)->text(), text);
            QCOMPARE(Hint(open)->text(), hint);
            QCOMPARE(open.enteredQuantity(), entered);
        });
        QVERIFY(env.Ui.Messages.empty());
    }

    // A typed Cyrillic letter is refused like a Latin one; a paste is not
    // filtered, so its foreign characters are left to the check.
    void foreignCharacters()
    {
        GuiTestEnvironment env;
        QuantityDialog dialog(env.Ui);
        QGuiApplication::clipboard()->setText(QStringLiteral("1 2"));
        const int32_t result = Ask(dialog, 6, 6, [&](QuantityDialog& open) {
            QTest::sendKeyEvent(QTest::Click, QuantityBox(open), Qt::Key_unknown,
                                QStringLiteral("б"), Qt::NoModifier);
            QCOMPARE(QuantityBox(open)->text(), QStringLiteral("6"));
            QTest::keyClick(QuantityBox(open), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(QuantityBox(open)->text(), QStringLiteral("1 2"));
            QCOMPARE(Hint(open)->text(), BadNumber);
            QCOMPARE(open.enteredQuantity(), 0);
            Press(open, Finish::Return);
            QVERIFY(open.isVisible());
        });
        QCOMPARE(result, 0);
        QCOMPARE(env.Ui.Messages.size(), 1u);
    }

    void accepted_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Finish>("finish");
        QTest::addColumn<int>("result");

        QTest::newRow("starting minimum") << 6 << 6 << "" << Finish::OkButton << 6;
        QTest::newRow("Return") << 6 << 6 << "12" << Finish::Return << 12;
        QTest::newRow("keypad Enter") << 6 << 6 << "12" << Finish::KeypadEnter << 12;
        QTest::newRow("not a multiple of the packing") << 6 << 6 << "7" << Finish::OkButton << 7;
        QTest::newRow("changing a line keeps its quantity")
            << 6 << 18 << "" << Finish::Return << 18;
        QTest::newRow("zero minimum confirming zero") << 0 << 0 << "" << Finish::OkButton << 0;
    }

    void accepted()
    {
        QFETCH(int, minimum);
        QFETCH(int, start);
        QFETCH(QString, typed);
        QFETCH(Finish, finish);
        QFETCH(int, result);

        GuiTestEnvironment env;
        QuantityDialog dialog(env.Ui);
        const int32_t answer = Ask(dialog, minimum, start, [&](QuantityDialog& open) {
            QTest::keyClicks(QuantityBox(open), typed);
            Press(open, finish);
            QVERIFY(!open.isVisible());
        });
        QCOMPARE(answer, result);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(env.Ui.Messages.empty());
    }

    void refused_data()
    {
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("hint");

        QTest::newRow("below the minimum") << Typed("5") << BelowMinimum;
        QTest::newRow("beyond the integer range") << Typed("99999999999") << BadNumber;
        QTestEventList emptied;
        emptied.addKeyClick(Qt::Key_Backspace);
        QTest::newRow("empty box") << emptied << "";
    }

    void refused()
    {
        QFETCH(QTestEventList, keys);
        QFETCH(QString, hint);

        GuiTestEnvironment env;
        QuantityDialog dialog(env.Ui);
        const int32_t answer = Ask(dialog, 6, 6, [&](QuantityDialog& open) {
            keys.simulate(QuantityBox(open));
            for (Finish finish : {Finish::OkButton, Finish::Return}) {
                Press(open, finish);
                QVERIFY(open.isVisible());
                QCOMPARE(Hint(open)->text(), hint);
            }
        });
        QCOMPARE(answer, 0);
        QCOMPARE(env.Ui.Messages.size(), 2u);
        QCOMPARE(env.Ui.Messages[1].Text, Refused);
    }

    void cancelled_data()
    {
        QTest::addColumn<Finish>("finish");
        QTest::newRow("Escape") << Finish::Escape;
        QTest::newRow("Cancel") << Finish::CancelButton;
        QTest::newRow("close box") << Finish::CloseBox;
        QTest::newRow("Escape on a button") << Finish::EscapeOnButton;
    }

    void cancelled()
    {
        QFETCH(Finish, finish);

        GuiTestEnvironment env;
        QuantityDialog dialog(env.Ui);
        const int32_t answer = Ask(dialog, 6, 6, [&](QuantityDialog& open) {
            QTest::keyClicks(QuantityBox(open), QStringLiteral("12"));
            QCOMPARE(open.enteredQuantity(), 12);
            Press(open, finish);
            QVERIFY(!open.isVisible());
        });
        QCOMPARE(answer, 0);
        QCOMPARE(dialog.enteredQuantity(), 0);
        QVERIFY(QuantityBox(dialog)->text().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(env.Ui.Messages.empty());
    }
    void quantityInBoxes()
    {
        FakeInteraction ui;
        QuantityDialog dialog(ui);
        const auto boxes = [&] {
            return Part<QLabel>(dialog, "BoxesLabel");
        };
        const auto wholeBox = [&] {
            return Part<QPushButton>(dialog, "WholeBoxButton");
        };
        OnNextModal([&](QDialog* open) {
            QVERIFY(boxes()->isVisible());
            QCOMPARE(wholeBox()->text(), QStringLiteral("До целой коробки"));
            // The controls of a product without boxes keep their places.
            QCOMPARE(OkButton(dialog)->geometry(), QRect(344, 95, 75, 25));
            QCOMPARE(boxes()->text(), QStringLiteral("= 1 кор. + 1 шт."));
            QTest::keyClicks(QuantityBox(dialog), QStringLiteral("7"));
            QCOMPARE(Hint(dialog)->text(), QString()); // 7 is not below the minimum of 4
            wholeBox()->click();
            QCOMPARE(QuantityBox(dialog)->text(), QStringLiteral("12"));
            QCOMPARE(boxes()->text(), QStringLiteral("= 2 кор."));
            QCOMPARE(dialog.focusWidget(), QuantityBox(dialog));
            open->reject();
        });
        dialog.askQuantity(Cp("AB-1"), Cp("Кружка"), 4, 6, 7);
        QCOMPARE(dialog.size(), QSize(513, 157));

        // Never below the minimum, and nothing about boxes of one piece.
        OnNextModal([&](QDialog* open) {
            wholeBox()->click();
            QCOMPARE(QuantityBox(dialog)->text(), QStringLiteral("18"));
            open->reject();
        });
        dialog.askQuantity(Cp("AB-1"), Cp("Кружка"), 13, 6, 1);
        OnNextModal([&](QDialog* open) {
            QVERIFY(!boxes()->isVisible());
            QVERIFY(!wholeBox()->isVisible());
            open->reject();
        });
        dialog.askQuantity(Cp("AB-1"), Cp("Кружка"), 1, 1, 7);
        QCOMPARE(dialog.size(), QSize(513, 127));
    }
};

QTEST_MAIN(QuantityDialogTest)
#include "QuantityDialog_test.moc"
