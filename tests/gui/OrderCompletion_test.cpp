#include "core/order/OrderFile.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "gui/CustomerDialog.h"
#include "gui/MainWindow.h"
#include "gui/OrderPreviewDialog.h"
#include "support/MainWindowFixture.h"
#include "support/OrderLines.h"
#include "support/TestCatalogue.h"
#include "support/WebEngineTestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QWebEngineView>
#include <QtTest>
#include <memory>

namespace {

const QString kCustomerCaption = QStringLiteral("Пользовательские данные");
const QString kNoDetailsError =
    QStringLiteral("Для выполнения заказа требуется указать пользовательские данные.");

QByteArray IniText(const QStringList& lines)
{
    return QByteArray::fromStdString(
        ToCp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

QByteArray NoDetails()
{
    return IniText({QStringLiteral("[General]"), QStringLiteral("UserInfoSpecified=0"),
                    QStringLiteral("RemindOnStartup=0")});
}

QByteArray Details(int companyType)
{
    return IniText({QStringLiteral("[General]"), QStringLiteral("UserInfoSpecified=1"),
                    QStringLiteral("RemindOnStartup=0"), QStringLiteral("[UserInfo]"),
                    QStringLiteral("CompanyType=%1").arg(companyType),
                    QStringLiteral("Company=Торговый дом \"Ромашка\" & сыновья"),
                    QStringLiteral("TIN=7701234567"), QStringLiteral("Phones=+7 495 123-45-67"),
                    QStringLiteral("ContactPerson=Иванов И.И."),
                    QStringLiteral("Email=Иванов <zakaz@example.ru>")});
}

// Records every dialog that opens; with CloseEvery set it also closes it,
// so that a dialog nobody expects fails the test instead of waiting.
class DialogWatch : public QObject
{
public:
    QStringList Shown;
    bool CloseEvery = false;

    DialogWatch() { qApp->installEventFilter(this); }
    ~DialogWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && event->type() == QEvent::Show) {
            Shown << dialog->windowTitle();
            if (CloseEvery)
                QTimer::singleShot(0, dialog, &QDialog::reject);
        }
        return false;
    }
};

// The started main window with its customer dialog, on a catalogue of three
// products priced at 80 roubles per euro times the catalogue's 1.005.
struct Session
{
    MainWindowFixture f;
    GuiTestEnvironment& env = f.Env;
    CustomerDialog& customer = f.Customer;
    DialogWatch dialogs;

    bool Start(const QByteArray& userInfo, OrderPreviewDialog* preview = nullptr)
    {
        PlaceThreeProductCatalogue(env);
        env.Write(QStringLiteral("data/Pelmora/userinfo.ini"), userInfo);
        QDir().mkpath(env.Path(QStringLiteral("docs")));
        env.Ui.InputAnswers = {QStringLiteral("80")}; // the network fails
        f.UsePreview(preview);
        return f.RunStartup() && env.Catalogue.count() == 3 && env.Ui.Messages.empty() &&
               dialogs.Shown.empty();
    }

    QString DocumentPath(const QString& name) const
    {
        return env.Path(QStringLiteral("docs/") + name);
    }

    void SetOrder(int count, bool modified) { SetTestOrder(f, count, modified); }
    bool Modified() const { return env.Order.isModified(); }
    void Complete() { f.Button("Button6")->click(); }
    template <typename Control> Control* CustomerControl(const char* name) const
    {
        return f.CustomerControl<Control>(name);
    }

    QByteArray CurrentOrder() const { return CurrentOrderBytes(env.Order); }

    QStringList DocumentFiles() const
    {
        return QDir(env.Path(QStringLiteral("docs"))).entryList(QDir::Files | QDir::Hidden);
    }
};

// The document's lines; the text after the last CR LF must be empty.
QStringList DocumentLines(const QString& path)
{
    const QByteArray bytes = GuiTestEnvironment::Read(path);
    QStringList lines = FromCp1251(bytes.toStdString()).split(QStringLiteral("\r\n"));
    if (lines.isEmpty() || !lines.last().isEmpty())
        return {};
    lines.removeLast();
    return lines;
}

// The browser starts its helper processes on first use and shares two cores
// with other builds; a healthy run needs a fraction of this.
constexpr int kLoadTimeout = 20000;

} // namespace

class OrderCompletionTest : public QObject
{
    Q_OBJECT

private:
    // The preview lives for the whole program, as in the real one; these
    // tests print once, through a script of the preview's own.
    FakeInteraction m_previewUi;
    std::unique_ptr<OrderPreviewDialog> m_preview;

private Q_SLOTS:
    void initTestCase() { m_preview = std::make_unique<OrderPreviewDialog>(m_previewUi); }
    void cleanupTestCase() { m_preview.reset(); }

    void emptyOrderOnlyInforms_data()
    {
        QTest::addColumn<bool>("detailsGiven");
        QTest::newRow("details given") << true;
        QTest::newRow("no details") << false;
    }
    void emptyOrderOnlyInforms()
    {
        QFETCH(bool, detailsGiven);
        Session s;
        QVERIFY(s.Start(detailsGiven ? Details(3) : NoDetails(), m_preview.get()));
        s.dialogs.CloseEvery = true;
        s.SetOrder(2, true);
        s.env.Order.removeLine(1); // every line deleted: still a change
        s.env.Order.removeLine(0);
        s.f.Window.showOrder();

        s.f.Action("N16")->trigger();
        QCOMPARE(s.env.Ui.Messages.size(), 1u);
        QCOMPARE(s.env.Ui.Messages[0].Text, QStringLiteral("Вы ничего не заказали!"));
        QCOMPARE(s.env.Ui.Messages[0].Caption, QStringLiteral("Заказ"));
        QCOMPARE(s.env.Ui.Messages[0].Style, 64);
        QVERIFY(s.env.Ui.SaveDialogs.empty());
        QVERIFY(s.dialogs.Shown.empty());
        QVERIFY(s.Modified());
    }

    // Without details the customer dialog comes first; only details given
    // there lead on to the save dialog.
    void customerDialogFirst_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("dialog cancelled") << QStringLiteral("cancel") << false;
        QTest::newRow("no details chosen") << QStringLiteral("no details") << false;
        QTest::newRow("details given") << QStringLiteral("details") << true;
    }
    void customerDialogFirst()
    {
        QFETCH(QString, choice);
        QFETCH(bool, goesOn);
        Session s;
        QVERIFY(s.Start(NoDetails()));
        s.SetOrder(2, false);

        OnNextModal([&](QDialog* dialog) {
            if (dialog != &s.customer) {
                dialog->reject();
                return;
            }
            if (choice == QStringLiteral("cancel")) {
                s.CustomerControl<QPushButton>("Button2")->click();
                return;
            }
            if (choice == QStringLiteral("no details")) {
                s.CustomerControl<QRadioButton>("RadioButton2")->click();
            } else {
                s.CustomerControl<QRadioButton>("RadioButton1")->click();
                s.CustomerControl<QComboBox>("ComboBox1")->setCurrentIndex(1);
                int k = 0;
                for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
                    s.CustomerControl<QLineEdit>(edit)->setText(QStringLiteral("поле %1").arg(++k));
            }
            s.CustomerControl<QPushButton>("Button1")->click();
        });
        s.env.Ui.SaveAnswers = {std::nullopt};
        s.Complete();

        QCOMPARE(s.dialogs.Shown, QStringList{kCustomerCaption});
        QCOMPARE(s.customer.details().UserInfoSpecified, goesOn);
        QCOMPARE(s.env.Ui.SaveDialogs.size(), size_t(goesOn ? 1 : 0));
        if (goesOn) {
            QVERIFY(s.env.Ui.Messages.empty());
            QCOMPARE(s.customer.details().CompanyType, 1);
        } else {
            QCOMPARE(s.env.Ui.Messages.size(), 1u);
            QCOMPARE(s.env.Ui.Messages[0].Text, kNoDetailsError);
            QCOMPARE(s.env.Ui.Messages[0].Caption, QStringLiteral("Ошибка"));
            QCOMPARE(s.env.Ui.Messages[0].Style, 16);
        }
        QVERIFY(s.DocumentFiles().isEmpty());
        QCOMPARE(s.env.Order.lineCount(), 2);
        QVERIFY(!s.Modified());
    }

    void documentOfTheOrder_data()
    {
        QTest::addColumn<int>("companyType");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("modified");
        QTest::newRow("ООО") << 0 << QStringLiteral("ООО") << true;
        QTest::newRow("ИП") << 1 << QStringLiteral("ИП") << false;
        QTest::newRow("ПБОЮЛ") << 2 << QStringLiteral("ПБОЮЛ") << true;
        QTest::newRow("ЗАО") << 3 << QStringLiteral("ЗАО") << false;
    }
    void documentOfTheOrder()
    {
        QFETCH(int, companyType);
        QFETCH(QString, word);
        QFETCH(bool, modified);
        Session s;
        QVERIFY(s.Start(Details(companyType)));
        s.dialogs.CloseEvery = true;
        s.SetOrder(3, modified);
        const QByteArray order = s.CurrentOrder();

        s.env.Ui.SaveAnswers = {s.DocumentPath(QStringLiteral("заказ"))};
        s.Complete();

        QCOMPARE(s.env.Ui.SaveDialogs.size(), 1u);
        QCOMPARE(s.env.Ui.SaveDialogs[0].Filter, QStringLiteral("HTML файлы (*.html)|*.html"));
        QVERIFY(s.env.Ui.SaveDialogs[0].DefaultExtension.isEmpty());
        QVERIFY(s.env.Ui.Messages.empty());
        QVERIFY(s.dialogs.Shown.empty()); // details are given: no customer dialog
        const QString path = s.DocumentPath(QStringLiteral("заказ.html"));
        QCOMPARE(s.DocumentFiles(), QStringList{QStringLiteral("заказ.html")});

        const QStringList lines = DocumentLines(path);
        QCOMPARE(lines.size(), 16 + 3);
        QCOMPARE(lines[3], QStringLiteral("<b><font size=\"3\">Заказ от &nbsp;&nbsp;07.03.2026  "
                                          "14:05:09</font></b><br/ ><br/ ><br/ >"));
        QCOMPARE(lines[4], QStringLiteral("<b>Организация:</b> ") + word +
                               QStringLiteral(" Торговый дом &quot;Ромашка&quot; &amp; "
                                              "сыновья<br /><br />"));
        QCOMPARE(lines[5], QStringLiteral("<b>ИНН:</b> 7701234567<br /><br />"));
        QCOMPARE(lines[7], QStringLiteral("<b>Контактное лицо:</b> Иванов И.И.<br /><br />"));
        QCOMPARE(lines[8],
                 QStringLiteral("<b>Эл. почта:</b> Иванов &lt;zakaz@example.ru&gt;<br /><br />"));
        QCOMPARE(lines[10], QStringLiteral("<tr><td>1</td><td>AB-1</td><td>Кружка</td><td "
                                           "align=\"right\">201,00</td><td align=\"right\">3</"
                                           "td><td align=\"right\">603,00</td></tr>"));
        QCOMPARE(lines[12], QStringLiteral("<tr><td>3</td><td>EF-3</td><td>Набор &lt;Люкс&gt; "
                                           "&amp; Co</td><td align=\"right\">100,50</td><td "
                                           "align=\"right\">8</td><td "
                                           "align=\"right\">804,00</td></tr>"));
        QCOMPARE(lines[13], QStringLiteral("<tr><td colspan=\"5\"><b>Итого:</b></td><td "
                                           "align=\"right\"><b>2211,00 "
                                           "</b></td></tr></table><br /><br />"));
        QCOMPARE(lines[14], QStringLiteral("Расчетный курс евро: 80,40 руб.<br /><br />"));
        QCOMPARE(lines[15], QStringLiteral("Общая сумма: 2211,00 руб.<br /><br />"));
        QCOMPARE(lines[16], QStringLiteral("Общий объем: ") + s.f.Label("Label7")->text() +
                                QStringLiteral("<br /><br />"));
        QCOMPARE(lines[17], QStringLiteral("Общий вес: 12,00 кг.<br /><br />"));
        QCOMPARE(lines[18], QStringLiteral("</body></html>"));

        // The order is neither changed nor taken for saved.
        QCOMPARE(s.CurrentOrder(), order);
        QCOMPARE(s.Modified(), modified);

        // Next time the dialog proposes the extended name.
        s.env.Ui.SaveAnswers = {std::nullopt};
        s.Complete();
        QCOMPARE(s.env.Ui.SaveDialogs[1].FileName, path);
    }

    void documentName_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("bare name") << QStringLiteral("заказ") << QStringLiteral("заказ.html");
        QTest::newRow(".htm") << QStringLiteral("заказ.htm") << QStringLiteral("заказ.htm");
        QTest::newRow(".html") << QStringLiteral("заказ.html") << QStringLiteral("заказ.html");
        QTest::newRow("upper case")
            << QStringLiteral("заказ.HTM") << QStringLiteral("заказ.HTM.html");
        QTest::newRow(".htm inside") << QStringLiteral("a.htm.txt") << QStringLiteral("a.htm.txt");
    }
    void documentName()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        Session s;
        QVERIFY(s.Start(Details(0)));
        s.dialogs.CloseEvery = true;
        s.SetOrder(1, true);
        // An older file of the written name is replaced once the user agrees,
        // whether or not the extension was typed.
        s.env.Write(QStringLiteral("docs/") + written, "old");

        s.env.Ui.SaveAnswers = {s.DocumentPath(chosen)};
        s.env.Ui.MessageAnswers = {MessageAnswer::Yes};
        s.Complete();
        QCOMPARE(s.DocumentFiles(), QStringList{written});
        QCOMPARE(DocumentLines(s.DocumentPath(written)).size(), 16 + 1);
        QCOMPARE(s.env.Ui.Messages.size(), 1u);
        QCOMPARE(s.env.Ui.Messages[0].Text, ReplaceQuestion(s.DocumentPath(written)));
        // The dialog proposes the name written, extension and all.
        s.env.Ui.SaveAnswers = {std::nullopt};
        s.Complete();
        QCOMPARE(s.env.Ui.SaveDialogs.back().FileName, s.DocumentPath(written));
    }

    void previewShowsEachNewDocument()
    {
        Session s;
        QVERIFY(s.Start(Details(3), m_preview.get()));
        s.SetOrder(3, true);
        const QByteArray order = s.CurrentOrder();
        // The browser engine starts with the first document, not with the window.
        QVERIFY(!m_preview->findChild<QWebEngineView*>());
        QSignalSpy printed(m_preview.get(), &OrderPreviewDialog::documentPrinted);
        const QString pdfPath = s.DocumentPath(QStringLiteral("печать.pdf"));
        m_previewUi.OnChoosePrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
            return true;
        };
        QWebEngineView* firstView = nullptr;

        for (const QString& name : {QStringLiteral("первый"), QStringLiteral("второй")}) {
            const QString path = s.DocumentPath(name + QStringLiteral(".html"));
            QString shownFile;
            bool modal = false;
            bool viewShown = false;
            OnNextModal([&](QDialog* dialog) {
                modal = dialog == m_preview.get() && dialog->isModal();
                shownFile = m_preview->documentFileName();
                const auto* view = m_preview->findChild<QWebEngineView*>();
                viewShown = view && view->isVisible();
                if (!firstView) { // the first document prints
                    m_preview->findChild<QPushButton*>(QStringLiteral("Button3"))->click();
                    (void)printed.wait(2 * kLoadTimeout);
                }
                m_preview->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
            });
            s.env.Ui.SaveAnswers = {s.DocumentPath(name)};
            s.Complete();

            QVERIFY(modal);
            QVERIFY(viewShown);
            QCOMPARE(shownFile, path);
            QVERIFY(QFile::exists(path));
            QVERIFY(!m_preview->isVisible());
            // The hidden window goes on loading this document.
            QVERIFY(QTest::qWaitFor([&] { return !m_preview->isLoading(); }, kLoadTimeout));
            auto* view = m_preview->findChild<QWebEngineView*>(QStringLiteral("WebBrowser1"));
            QCOMPARE(view->url(), QUrl::fromLocalFile(path));
            if (!firstView)
                firstView = view;
            QCOMPARE(view, firstView); // the second document reuses the view
        }
        m_previewUi.OnChoosePrinter = nullptr;
        QCOMPARE(printed.size(), 1);
        QVERIFY(printed.at(0).at(0).toBool());
        QVERIFY(GuiTestEnvironment::Read(pdfPath).startsWith("%PDF"));
        QCOMPARE(s.dialogs.Shown, QStringList(2, QStringLiteral("Заказ")));
        QVERIFY(s.env.Ui.Messages.empty());
        QCOMPARE(s.CurrentOrder(), order);
        QVERIFY(s.Modified());
    }

    // No preview of an older file of that name: it would pass for this order.
    void unwritableDocumentIsNotPreviewed_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("name taken by a folder") << QStringLiteral("docs/заказ.html");
        QTest::newRow("folder missing") << QStringLiteral("docs/нет/заказ.html");
    }
    void unwritableDocumentIsNotPreviewed()
    {
        QFETCH(QString, chosen);
        Session s;
        QVERIFY(s.Start(Details(3), m_preview.get()));
        s.dialogs.CloseEvery = true;
        const QString path = s.env.Path(chosen);
        QDir().mkpath(s.DocumentPath(QStringLiteral("заказ.html")));
        s.SetOrder(2, true);
        const QString previewed = m_preview->documentFileName();

        s.env.Ui.SaveAnswers = {path};
        s.Complete();

        QCOMPARE(s.env.Ui.Messages.size(), 1u);
        const FakeInteraction::Message& error = s.env.Ui.Messages[0];
        QCOMPARE(error.Caption, QStringLiteral("Ошибка"));
        QCOMPARE(error.Style, 16);
        const QString prefix =
            QStringLiteral("Не удалось записать документ заказа в файл «%1»: ").arg(path);
        QVERIFY2(error.Text.startsWith(prefix), qPrintable(error.Text));
        QVERIFY(error.Text.size() > prefix.size());
        QVERIFY(s.dialogs.Shown.empty());
        QCOMPARE(m_preview->documentFileName(), previewed);
        QVERIFY(s.DocumentFiles().isEmpty()); // no temporary file left behind
        QCOMPARE(s.env.Order.lineCount(), 2);
        QVERIFY(s.Modified());
    }
};

int main(int argc, char* argv[])
{
    PrepareWebEngineTestEnvironment();
    QApplication application(argc, argv);
    OrderCompletionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "OrderCompletion_test.moc"
