#include "core/order/OrderDocument.h"
#include "core/text/Cp1251.h"
#include "gui/OrderPreviewDialog.h"
#include "support/GuiTestEnvironment.h"
#include "support/TempDir.h"
#include "support/WebEngineTestEnvironment.h"

#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtTest>
#include <memory>
#include <optional>

namespace {

// Bounds for the browser, which starts its helper processes on first use and
// shares two cores with other builds; a healthy run needs a fraction of them.
constexpr int kLoadTimeout = 20000;
constexpr int kPrintTimeout = 30000;

// A Windows-1251 document that declares no character set, with "ё", "№" and
// guillemets, which lie outside the code page's block of letters.
const char kGreetingUtf8[] = "Заказ «Пелмора»: ёлочные игрушки № 5, 12 шт.";
const char kTotalUtf8[] = "Итого: 1234,50 руб.";

QByteArray GreetingDocument()
{
    return QByteArray::fromStdString("<html><body>" + Cp(kGreetingUtf8) + "<br>" + Cp(kTotalUtf8) +
                                     "</body></html>\r\n");
}

// Waits in a real event loop: the browser talks to the program through it,
// and a loop that sleeps between its turns slows every page load tenfold.
bool WaitUntil(const std::function<bool()>& done, int timeout)
{
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done() || clock.hasExpired(timeout))
            loop.quit();
    });
    poll.start(5);
    if (!done())
        loop.exec();
    return done();
}

// The browser's text of the page.
QString PlainText(QWebEngineView* view)
{
    auto text = std::make_shared<std::optional<QString>>();
    view->page()->toPlainText([text](const QString& value) { *text = value; });
    if (!WaitUntil([&] { return text->has_value(); }, kLoadTimeout))
        return QStringLiteral("<no answer from the page>");
    return **text;
}

int PdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}

OrderItem Line(int number)
{
    OrderItem item;
    item.SKU.Assign("SK-" + std::to_string(number));
    item.Name.Assign(Cp("Шар ёлочный, красный, ") + std::to_string(number));
    item.Price = 1.5;
    item.Quantity = number;
    return item;
}

} // namespace

class PreviewWindowTest : public QObject
{
    Q_OBJECT

private:
    GuiTestEnvironment m_env;
    TempDir m_files;
    std::unique_ptr<OrderPreviewDialog> m_form;

    template <typename Control> Control* Part(const char* designerName) const
    {
        return m_form->findChild<Control*>(QLatin1StringView(designerName));
    }
    QString WriteFile(const QString& name, const QByteArray& content)
    {
        const QString path = m_files.QPath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(content) != content.size())
            return {};
        return path;
    }
    // A long order document: it takes more than one printed page.
    QString WriteOrderDocument(const QString& name, int lines)
    {
        std::vector<OrderItem> items;
        for (int i = 1; i <= lines; ++i)
            items.push_back(Line(i));
        CustomerDetails customer;
        customer.UserInfoSpecified = true;
        customer.CompanyType = 3;
        customer.Company = Cp("Рога & Копыта");
        customer.TIN = "7701234567";
        customer.ContactPerson = Cp("Иванов И.И.");
        const OrderTotalTexts totals{Cp("100,00 руб."), Cp("0,50 м.куб."), Cp("12,00 кг.")};
        const std::string text =
            OrderDocumentText(items, 90.5, totals, customer,
                              QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)), m_env.Format);
        return WriteFile(name, QByteArray::fromStdString(text));
    }
    // Shows `path` without the modal loop and waits until the view has it.
    bool Load(const QString& path)
    {
        m_form->loadDocument(path);
        m_form->show();
        return WaitUntil([&] { return !m_form->isLoading(); }, kLoadTimeout);
    }
    // The print dialog chooses PDF output into `pdfPath`, then OK or Cancel.
    void ChoosePdf(const QString& pdfPath, bool accept = true)
    {
        m_env.Ui.OnChoosePrinter = [pdfPath, accept](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
            return accept;
        };
    }
    // Prints through the print button into a PDF file; the file's content and
    // whether the job succeeded. `whilePrinting` looks at the running job.
    std::pair<QByteArray, bool> PrintToPdf(const QString& pdfPath,
                                           const std::function<void()>& whilePrinting = {})
    {
        ChoosePdf(pdfPath);
        QSignalSpy printed(m_form.get(), &OrderPreviewDialog::documentPrinted);
        QTest::mouseClick(Part<QPushButton>("Button3"), Qt::LeftButton);
        if (whilePrinting)
            whilePrinting();
        if (!printed.wait(kPrintTimeout) || printed.size() != 1)
            return {{}, false};
        return {GuiTestEnvironment::Read(pdfPath), printed.at(0).at(0).toBool()};
    }

private Q_SLOTS:
    void initTestCase() { m_form = std::make_unique<OrderPreviewDialog>(m_env.Ui); }

    void cleanup()
    {
        m_form->hide();
        m_env.Ui.OnChoosePrinter = nullptr;
        m_env.Ui.Messages.clear();
    }

    // Before any other test shows the window: the design size includes the frame.
    void outerSizeIsTheDesignSize()
    {
        m_form->show();
        QTRY_VERIFY(m_form->size() != QSize(671, 614)); // the frame has come
        QTRY_COMPARE(m_form->frameGeometry().size(), QSize(671, 614));
    }

    void viewIsMadeWithTheFirstDocumentForStaticCp1251Text()
    {
        m_form->show(); // an open window without a document starts no browser
        QVERIFY(!m_form->findChild<QWebEngineView*>());
        QVERIFY(Load(WriteFile(QStringLiteral("made.html"), GreetingDocument())));
        auto* view = Part<QWebEngineView>("WebBrowser1");
        QVERIFY(view && view->isVisible());
        QTRY_COMPARE(view->geometry(), QRect(0, 0, m_form->width(), m_form->height() - 58));

        QWebEngineSettings* settings = view->settings();
        QCOMPARE(settings->defaultTextEncoding(), QStringLiteral("windows-1251"));
        QVERIFY(!settings->testAttribute(QWebEngineSettings::JavascriptEnabled));
        QVERIFY(!settings->testAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls));
    }

    // Without its HTML view module the preview says why and stays closed.
    void aMissingViewModuleIsReported()
    {
        OrderPreviewDialog form(m_env.Ui);
        form.setModuleFolders({m_files.QPath(QStringLiteral("no-module"))});
        QTimer::singleShot(3000, &form, &QDialog::reject); // a wrongly opened window ends
        form.showDocument(WriteFile(QStringLiteral("lost.html"), GreetingDocument()));

        QVERIFY(!form.isVisible());
        QVERIFY(!form.findChild<QWebEngineView*>());
        QCOMPARE(m_env.Ui.Messages.size(), size_t(1));
        QCOMPARE(m_env.Ui.Messages[0].Caption, QStringLiteral("Ошибка"));
        QVERIFY(m_env.Ui.Messages[0].Text.startsWith(
            QStringLiteral("Не найден модуль просмотра документа заказа (pelmora_htmlview.so).")));
        const int dialogs = m_env.Ui.PrintDialogs;
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Button3")), Qt::LeftButton);
        QCOMPARE(m_env.Ui.PrintDialogs, dialogs);
    }

    void scriptsInADocumentStayInert()
    {
        const QString path =
            WriteFile(QStringLiteral("script.html"),
                      QByteArray::fromStdString(Cp("<p id=\"x\">без скриптов</p><script>"
                                                   "document.getElementById('x').textContent='ran'"
                                                   "</script>")));
        QVERIFY(Load(path));
        QCOMPARE(PlainText(Part<QWebEngineView>("WebBrowser1")), QStringLiteral("без скриптов"));
    }

    void showDocument_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("button") << false;
        QTest::newRow("close box") << true;
    }
    void showDocument()
    {
        QFETCH(bool, closeBox);
        const QString path = WriteFile(QStringLiteral("заказ 1.html"), GreetingDocument());
        QVERIFY(!path.isEmpty());

        bool wasModal = false;
        OnNextModal([&](QDialog* dialog) {
            wasModal = dialog == m_form.get() && dialog->isModal();
            if (closeBox)
                dialog->close();
            else
                QTest::mouseClick(Part<QPushButton>("Button2"), Qt::LeftButton);
        });
        m_form->showDocument(path);

        QVERIFY(wasModal);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(m_form->documentFileName(), path);
        // The hidden window keeps the document.
        QVERIFY(WaitUntil([&] { return !m_form->isLoading(); }, kLoadTimeout));
        QCOMPARE(PlainText(Part<QWebEngineView>("WebBrowser1")),
                 QString::fromUtf8(kGreetingUtf8) + QChar(u'\n') + QString::fromUtf8(kTotalUtf8));
    }

    void showsTheOrderDocument()
    {
        QVERIFY(Load(WriteOrderDocument(QStringLiteral("order.html"), 2)));
        const QString text = PlainText(Part<QWebEngineView>("WebBrowser1"));
        for (const char* expected : {"Заказ от \u00a0\u00a007.03.2026",
                                     "Организация: ЗАО Рога & Копыта", "Шар ёлочный, красный, 2",
                                     "Контактное лицо: Иванов И.И.", "Общая сумма: 100,00 руб."})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    }

    void rewrittenFileIsShownAnew()
    {
        const QString path = WriteFile(QStringLiteral("same.html"), Cp("первый").c_str());
        QVERIFY(Load(path));
        QCOMPARE(PlainText(Part<QWebEngineView>("WebBrowser1")), QStringLiteral("первый"));

        WriteFile(QStringLiteral("same.html"), Cp("второй").c_str());
        QVERIFY(Load(path));
        QCOMPARE(PlainText(Part<QWebEngineView>("WebBrowser1")), QStringLiteral("второй"));
    }

    void printsTheDocumentToTheChosenPrinter()
    {
        QVERIFY(Load(WriteFile(QStringLiteral("short.html"), GreetingDocument())));
        const int dialogs = m_env.Ui.PrintDialogs;

        bool busy = false;
        const auto [pdf, ok] = PrintToPdf(m_files.QPath(QStringLiteral("short.pdf")), [&] {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            busy = m_form->isPrinting() && cursor && cursor->shape() == Qt::WaitCursor &&
                   !Part<QPushButton>("Button3")->isEnabled();
        });
        QVERIFY2(busy, "no busy pointer or a print button enabled while the job runs");
        QVERIFY(ok);
        QCOMPARE(m_env.Ui.PrintDialogs, dialogs + 1);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(PdfPageCount(pdf), 1);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(Part<QPushButton>("Button3")->isEnabled());
        QVERIFY(m_env.Ui.Messages.empty());
    }

    void printsTheLatestDocumentEvenWhileItLoads()
    {
        QVERIFY(Load(WriteFile(QStringLiteral("first.html"), GreetingDocument())));
        const QString second = WriteOrderDocument(QStringLiteral("second.html"), 80);
        m_form->loadDocument(second);

        const auto [pdf, ok] = PrintToPdf(m_files.QPath(QStringLiteral("second.pdf")));
        QVERIFY(ok);
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY2(PdfPageCount(pdf) > 1, "the one-page first document was printed");
        QVERIFY(m_env.Ui.Messages.empty());
    }

    void cancellingThePrintDialogPrintsNothing()
    {
        QVERIFY(Load(WriteFile(QStringLiteral("cancel.html"), GreetingDocument())));
        const int dialogs = m_env.Ui.PrintDialogs;
        const QString pdfPath = m_files.QPath(QStringLiteral("cancel.pdf"));
        ChoosePdf(pdfPath, false);
        QSignalSpy printed(m_form.get(), &OrderPreviewDialog::documentPrinted);
        QTest::mouseClick(Part<QPushButton>("Button3"), Qt::LeftButton);

        QCOMPARE(m_env.Ui.PrintDialogs, dialogs + 1);
        QVERIFY(!m_form->isPrinting());
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(Part<QPushButton>("Button3")->isEnabled());
        QVERIFY(!printed.wait(500));
        QVERIFY(!QFile::exists(pdfPath));
        QVERIFY(m_env.Ui.Messages.empty());
    }

    void failedPrintIsReported_data()
    {
        QTest::addColumn<bool>("documentMissing");
        QTest::newRow("document missing") << true;
        QTest::newRow("printer fails") << false;
    }
    void failedPrintIsReported()
    {
        QFETCH(bool, documentMissing);
        const QString document = documentMissing
                                     ? m_files.QPath(QStringLiteral("missing.html"))
                                     : WriteFile(QStringLiteral("fails.html"), GreetingDocument());
        QVERIFY(Load(document));
        const QString pdfPath = documentMissing
                                    ? m_files.QPath(QStringLiteral("missing.pdf"))
                                    : m_files.QPath(QStringLiteral("no such folder/fails.pdf"));

        const auto [pdf, ok] = PrintToPdf(pdfPath);
        QVERIFY(!ok);
        QVERIFY(pdf.isEmpty());
        QCOMPARE(m_env.Ui.Messages.size(), size_t(1));
        QCOMPARE(m_env.Ui.Messages[0].Caption, QStringLiteral("Ошибка"));
        QCOMPARE(m_env.Ui.Messages[0].Style, 16);
        QVERIFY(m_env.Ui.Messages[0].Text.contains(document));
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(Part<QPushButton>("Button3")->isEnabled());
    }

    void closeButtonFollowsTheRightEdge_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("design size") << 671 << 614;
        QTest::newRow("100 wider") << 771 << 614;
        QTest::newRow("narrower and taller") << 420 << 700;
    }
    void closeButtonFollowsTheRightEdge()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        m_form->show();
        m_form->resize(width, height);
        QTRY_COMPARE(m_form->height(), height);
        QTRY_COMPARE(m_form->width(), width);

        const int outerWidth = m_form->frameGeometry().width();
        QCOMPARE(Part<QPushButton>("Button2")->geometry(), QRect(outerWidth - 112, 17, 75, 25));
        QCOMPARE(Part<QPushButton>("Button3")->geometry(), QRect(8, 17, 113, 25));
        QCOMPARE(Part<QWidget>("Panel1")->geometry(), QRect(0, height - 58, width, 58));
        QCOMPARE(Part<QWebEngineView>("WebBrowser1")->geometry(), QRect(0, 0, width, height - 58));
    }
};

int main(int argc, char* argv[])
{
    PrepareWebEngineTestEnvironment();
    QApplication application(argc, argv);
    PreviewWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PreviewWindow_test.moc"
