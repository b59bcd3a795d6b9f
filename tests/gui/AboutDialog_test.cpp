#include "gui/AboutDialog.h"
#include "support/GuiTestEnvironment.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <stdexcept>

namespace {

// A desktop whose shell fails in both ways a handler can see.
class FailingShell : public FakeInteraction
{
public:
    bool ThrowStd = true;
    bool ShellOpen(const QString& url) override
    {
        OpenedUrls << url;
        if (ThrowStd)
            throw std::runtime_error("no browser");
        throw 42;
    }
};

template <typename Control> Control* Part(const AboutDialog& form, const char* designerName)
{
    return form.findChild<Control*>(QLatin1StringView(designerName));
}
QLabel* Label(const AboutDialog& form, const char* designerName)
{
    return Part<QLabel>(form, designerName);
}

void Send(QWidget* widget, QEvent::Type type)
{
    QEvent event(type);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class AboutDialogTest : public QObject
{
    Q_OBJECT

private:
    GuiTestEnvironment m_env;

private Q_SLOTS:
    void init() { m_env.Ui.OpenedUrls.clear(); }

    void layout()
    {
        AboutDialog form(m_env.Ui);
        QCOMPARE(form.windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(form.size(), QSize(225, 193));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(Part<QGroupBox>(form, "GroupBox1")->size(), QSize(209, 145));
        QVERIFY(Part<QGroupBox>(form, "GroupBox1")->title().isEmpty());
        QCOMPARE(Label(form, "Label1")->text(),
                 QStringLiteral("Приложение для составления заказов компании \"Пелмора\""));
        QVERIFY(Label(form, "Label1")->wordWrap());
        QCOMPARE(Part<QPushButton>(form, "Button1")->text(), QStringLiteral("OK"));
    }

    void versionIsRestoredOnEveryShow()
    {
        AboutDialog form(m_env.Ui);
        for (int show = 0; show < 2; ++show) {
            Label(form, "Label8")->setText(QStringLiteral("0.0"));
            form.show();
            QCOMPARE(Label(form, "Label8")->text(), QStringLiteral("1.5"));
            form.hide();
        }
    }

    void linksAreColoured()
    {
        AboutDialog form(m_env.Ui);
        for (QLabel* link : {Label(form, "Label3"), Label(form, "Label4")})
            QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 129, 230));
        QVERIFY(Label(form, "Label1")->palette().color(QPalette::WindowText) !=
                QColor(0, 129, 230));
    }

    void hoverUnderlinesOnlyTheLinkUnderThePointer()
    {
        AboutDialog form(m_env.Ui);
        form.show();
        for (auto [hot, other] : {std::pair{Label(form, "Label3"), Label(form, "Label4")},
                                  {Label(form, "Label4"), Label(form, "Label3")}}) {
            Send(hot, QEvent::Enter);
            QVERIFY(hot->font().underline());
            QCOMPARE(hot->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(!other->font().underline());
            QVERIFY(!other->testAttribute(Qt::WA_SetCursor));

            Send(hot, QEvent::Leave);
            QVERIFY(!hot->font().underline());
            QVERIFY(!hot->testAttribute(Qt::WA_SetCursor));
        }
    }

    void clickOpensExactlyItsAddress_data()
    {
        QTest::addColumn<bool>("site");
        QTest::addColumn<QString>("url");
        QTest::newRow("site") << true << QStringLiteral("http://www.pelmora.ru");
        QTest::newRow("mail") << false << QStringLiteral("mailto:info@pelmora.ru");
    }
    void clickOpensExactlyItsAddress()
    {
        QFETCH(bool, site);
        QFETCH(QString, url);
        AboutDialog form(m_env.Ui);
        form.show();
        QLabel* link = site ? Label(form, "Label3") : Label(form, "Label4");
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(m_env.Ui.OpenedUrls, QStringList{url});

        // Neither another button nor a press released outside the label opens anything.
        QTest::mouseClick(link, Qt::RightButton);
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(m_env.Ui.OpenedUrls.size(), 1);
    }

    void shellFailuresAreSwallowed()
    {
        FailingShell shell;
        AboutDialog form(shell);
        form.show();
        for (bool throwStd : {true, false}) {
            shell.ThrowStd = throwStd;
            QTest::mouseClick(Label(form, "Label3"), Qt::LeftButton);
            QTest::mouseClick(Label(form, "Label4"), Qt::LeftButton);
        }
        QCOMPARE(shell.OpenedUrls.size(), 4);
        QVERIFY(shell.Messages.empty());
    }

    void okClosesAndFollowsTheParent()
    {
        QWidget owner;
        owner.setGeometry(100, 100, 800, 600);
        owner.show();
        AboutDialog form(m_env.Ui, &owner);
        for (QPoint at : {QPoint(100, 100), QPoint(300, 50)}) {
            owner.move(at);
            QPoint centre;
            OnNextModal([&](QDialog* dialog) {
                centre = dialog->frameGeometry().center();
                QTest::mouseClick(Part<QPushButton>(*static_cast<AboutDialog*>(dialog), "Button1"),
                                  Qt::LeftButton);
            });
            QCOMPARE(form.exec(), int(QDialog::Accepted));
            QVERIFY(!form.isVisible());
            QVERIFY((centre - owner.frameGeometry().center()).manhattanLength() <= 2);
        }
    }
};

QTEST_MAIN(AboutDialogTest)
#include "AboutDialog_test.moc"
