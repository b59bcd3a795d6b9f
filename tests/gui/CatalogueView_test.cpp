#include "core/net/EuroRate.h"
#include "gui/CatalogueGridModel.h"
#include "gui/GridPainting.h"
#include "gui/PictureBox.h"
#include "gui/PictureFrame.h"
#include "support/MainWindowFixture.h"
#include "support/OrderLines.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QtTest>

namespace {

std::vector<TestProduct> Products()
{
    return {Product("AB-100", "Кружка белая", 2.5, "a.jpg;b.jpg"),
            Product("AB-200", "Кружка синяя", 1.25, "c.jpg"), Product("CD-300", "Ваза", 10, ""),
            Product("XY-ab1", "Тарелка", 3, "")};
}

// The smallest rectangle holding every dark pixel: where text was written.
QRect InkBox(const QImage& image, QColor background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < qGray(background.rgb()) / 2)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class CatalogueViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillShowsRoublesHeadersAndStatus()
    {
        MainWindowFixture f(Products(), QStringLiteral("90,5"));
        QTableView* grid = f.Grid("sg1");
        const QAbstractItemModel* model = grid->model();
        const QStringList headers = {
            QStringLiteral("#"),    QStringLiteral("Артикул"),     QStringLiteral("Наименование"),
            QStringLiteral("Цена"), QStringLiteral("Мин. кол-во"), QStringLiteral("Вес")};
        const int widths[] = {25, 80, 350, 70, 63, 60};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), headers[c]);
            QCOMPARE(grid->columnWidth(c), widths[c]);
        }
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(f.CatalogueCell(1, 0), QStringLiteral("1"));
        QCOMPARE(f.CatalogueCell(1, 2), QStringLiteral("Кружка белая"));
        QCOMPARE(f.CatalogueCell(1, 3), QStringLiteral("226,25")); // 2.5 x 90.5
        QCOMPARE(f.CatalogueCell(2, 5), QStringLiteral("1,00"));
        QCOMPARE(f.StatusText()->text(),
                 QStringLiteral("Каталог товаров от 01.12.2026 10:00:00, позиций: 4. Файл: ") +
                     QString::fromStdString(f.Env.Catalogue.databasePath()));

        // A width changed by the user returns at the next fill.
        grid->setColumnWidth(2, 10);
        f.Env.Ui.InputAnswers = {QStringLiteral("90,5")};
        f.Action("N12")->trigger();
        QCOMPARE(grid->columnWidth(2), 350);
    }

    void filterCommandAndSelectionFollowingAShorterList()
    {
        MainWindowFixture f(Products());
        QLineEdit* filter = f.Edit("Edit1");
        f.SelectCatalogueRow(4);
        QCOMPARE(f.SelectedCatalogueRow(), 4);

        filter->setText(QStringLiteral("Кружка"));
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(f.Env.Catalogue.count(), 2);
        QCOMPARE(f.SelectedCatalogueRow(), 2); // moved to the new last row
        QCOMPARE(f.Pictures()->pendingCataloguePictures(), std::string("c.jpg"));

        filter->setText(QStringLiteral("нет такого"));
        f.Button("Button7")->click();
        QCOMPARE(f.Env.Catalogue.count(), 0);
        QCOMPARE(f.Grid("sg1")->model()->rowCount(), 1); // the blank row
        QCOMPARE(f.SelectedCatalogueRow(), 1);
        QVERIFY(f.Pictures()->pendingCataloguePictures().empty());
        QVERIFY(f.StatusText()->text().contains(QStringLiteral("позиций: 0.")));

        filter->setText(QStringLiteral("*"));
        f.Button("Button7")->click();
        QCOMPARE(f.Env.Catalogue.count(), 4);
        QCOMPARE(f.SelectedCatalogueRow(), 1); // a longer list keeps the row
    }

    void optionsThatCannotBeReadKeepThePriceFactor()
    {
        MainWindowFixture f(Products());
        const double factor = f.Env.Prices.priceFactor();
        WriteTestCatalogue(QString::fromStdString(f.Env.Catalogue.databasePath()), Products(),
                           "01.12.2026", "not a number");
        f.Button("Button7")->click();
        QCOMPARE(f.Env.Ui.Messages.size(), 1u);
        QCOMPARE(f.Env.Ui.Messages[0].Text, QStringLiteral("Ошибка в БД"));
        QCOMPARE(f.Env.Ui.Messages[0].Style, 0);
        QCOMPARE(f.Env.Prices.priceFactor(), factor);
        QCOMPARE(f.Env.Catalogue.count(), 4); // the products are read all the same
    }

    void picturesFollowTheSelectionAfterAPause()
    {
        MainWindowFixture f(Products());
        const auto* delay = f.Find<QTimer>("Timer1");
        QVERIFY(f.Pictures()->pendingCataloguePictures().empty()); // nothing selected yet
        f.SelectCatalogueRow(3);
        f.SelectCatalogueRow(1);
        QCOMPARE(f.Pictures()->pendingCataloguePictures(), std::string("a.jpg;b.jpg"));
        QVERIFY(delay->isActive());
        QVERIFY(delay->isSingleShot());
        QCOMPARE(delay->interval(), 50);
        QCOMPARE(f.Window.focusWidget(), f.Grid("sg1"));
        // The pictures do not exist: the frame's error reaches the error box.
        QTRY_COMPARE(f.Env.Ui.Messages.size(), 1u);
        QVERIFY(f.Env.Ui.Messages[0].Text.startsWith(QStringLiteral("Cannot open file")));
        QVERIFY(!delay->isActive());
    }

    void aRunOfSelectionsLoadsOnlyWhereItRests()
    {
        MainWindowFixture f(Products());
        const QString folder = f.Env.Path(QStringLiteral("home/PelmoraDB/img/"));
        QDir().mkpath(folder);
        const struct
        {
            const char* name;
            QColor colour;
        } pictures[] = {{"a.jpg", Qt::red}, {"b.jpg", Qt::green}, {"c.jpg", Qt::blue}};
        for (const auto& picture : pictures) {
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(picture.colour);
            QVERIFY(image.save(folder + QString::fromLatin1(picture.name), "JPG"));
        }
        const auto shownColour = [&f] {
            const QImage& shown = f.Frame("ImageFrame1")->mainPicture()->picture();
            return shown.isNull() ? QColor() : QColor(shown.pixel(32, 24));
        };
        // Three moves in a row, faster than the deferral: nothing is loaded
        // on the way, and the pictures of the last product come once it rests.
        f.SelectCatalogueRow(1);
        f.SelectCatalogueRow(3);
        f.SelectCatalogueRow(2);
        QVERIFY(!shownColour().isValid());
        QTRY_VERIFY(shownColour().isValid());
        QVERIFY(shownColour().blue() > 200 && shownColour().red() < 60);
        QVERIFY(f.Env.Ui.Messages.empty());
    }

    void aZeroPriceFactorShowsZeroPrices()
    {
        GuiTestEnvironment env;
        CatalogueEntry product;
        product.Price = 2.5;
        env.Catalogue.replaceEntries({product});
        QCOMPARE(env.Prices.priceFactor(), 0.0);
        CatalogueGridModel model(env.Catalogue, env.Prices, env.Format);
        QAbstractItemModelTester check(&model,
                                       QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.refill();
        QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("0,00"));
    }

    void selectedRowColours()
    {
        MainWindowFixture f(Products());
        f.SelectCatalogueRow(2);
        QTableView* grid = f.Grid("sg1");
        QTRY_VERIFY(grid->hasFocus());
        const int y = grid->rowViewportPosition(1) + 3;
        const auto colourAt = [grid, y](int column) {
            const QImage image = grid->viewport()->grab().toImage();
            return QColor(image.pixel(grid->columnViewportPosition(column) + 1, y));
        };
        QCOMPARE(colourAt(0), GridCellDelegate::currentCellColour());
        QCOMPARE(colourAt(2), GridCellDelegate::selectedRowColour());
        // A dialog over the window leaves the grid the window's active control.
        QColor underDialog;
        ModalScript script(QStringLiteral("cancel"), [&](QDialog* dialog) {
            (void)QTest::qWaitForWindowActive(dialog);
            underDialog = colourAt(0);
            dialog->reject();
        });
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(script.succeeded());
        QCOMPARE(underDialog, GridCellDelegate::currentCellColour());
        // Without the focus the whole row is grey.
        f.Edit("Edit1")->setFocus();
        QTRY_VERIFY(!grid->hasFocus());
        QCOMPARE(colourAt(0), GridCellDelegate::selectedRowColour());
    }

    // Both grids' header cells: button face, text set 2 pixels in from the
    // top left corner as in the data cells, not centred.
    void headerCellsArePaintedAsGridCells()
    {
        MainWindowFixture f(Products());
        for (const char* name : {"sg1", "sg2"}) {
            QHeaderView* header = f.Grid(name)->horizontalHeader();
            // Without the grid lines at the right and bottom edges.
            const QRect cell(header->sectionViewportPosition(1), 0, header->sectionSize(1) - 1,
                             header->height() - 1);
            const QImage shown = header->viewport()->grab().toImage().copy(cell);
            const QColor face = header->palette().color(QPalette::Button);
            QCOMPARE(QColor(shown.pixel(cell.width() - 4, cell.height() - 3)), face);

            QImage expected(cell.size(), QImage::Format_RGB32);
            expected.fill(face);
            QPainter painter(&expected);
            painter.setFont(header->font());
            painter.setPen(Qt::black);
            painter.drawText(QRect(2, 2, cell.width() - 3, cell.height() - 1),
                             Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Артикул"));
            painter.end();
            QCOMPARE(InkBox(shown, face), InkBox(expected, face));
        }
    }

    void euroRateCommandRepricesWithoutStoring()
    {
        MainWindowFixture f(Products(), QStringLiteral("80"));
        const QByteArray settings = GuiTestEnvironment::Read(f.Env.SettingsFile());
        ReplaceOrder(f, {OrderItem::FromEntry(f.Env.Catalogue.entries()[0], 2)}, false);
        QCOMPARE(f.CatalogueCell(1, 3), QStringLiteral("200,00"));

        f.Env.Ui.InputAnswers = {QStringLiteral("100")};
        f.Action("N12")->trigger();
        QCOMPARE(f.Env.Ui.Inputs.back().Prompt, QStringLiteral("Укажите курс евро:"));
        QCOMPARE(f.Env.Ui.Inputs.back().Initial, QStringLiteral("80"));
        QCOMPARE(f.CatalogueCell(1, 3), QStringLiteral("250,00"));
        QCOMPARE(f.OrderCell(1, 5), QStringLiteral("500,00"));
        QCOMPARE(f.Label("Label6")->text(), QStringLiteral("500,00 руб."));
        QCOMPARE(GuiTestEnvironment::Read(f.Env.SettingsFile()), settings);
        QVERIFY(!f.Env.Order.isModified());
    }

    void rateFromTheWebAndTheUpdateQuestion()
    {
        MainWindowFixture f;
        GuiTestEnvironment& env = f.Env;
        env.Http.Bodies[EuroRateUrl(env.Clock.Value.date())] =
            "<table><tr><td>Евро</td>\n  <td>89,1267</td></tr></table>";
        env.Http.Bodies["http://www.pelmora.ru/kesta/lastversion.txt"] =
            "02.12.2026 10:00:00\r\n1,6\r\n";
        WriteTestCatalogue(env.Path(QStringLiteral("home/PelmoraDB/telvarin.db")), Products());
        env.Write(QStringLiteral("data/Pelmora/userinfo.ini"),
                  "[General]\r\nUserInfoSpecified=1\r\n");
        env.Ui.MessageAnswers = {MessageAnswer::Yes};
        f.RunStartup();
        QVERIFY(env.Ui.Inputs.empty());
        QCOMPARE(env.Prices.euroRate(), 89.13);
        QVERIFY(GuiTestEnvironment::Read(env.SettingsFile()).contains("Euro=89,13\r\n"));
        QCOMPARE(env.Ui.Messages.size(), 1u);
        QCOMPARE(env.Ui.Messages[0].Text,
                 QStringLiteral("Обнаружены новые версии каталога товаров и программы. Открыть "
                                "страницу обновлений?"));
        QCOMPARE(env.Ui.Messages[0].Style, 35);
        QCOMPARE(env.Ui.OpenedUrls, QStringList{QStringLiteral("http://www.pelmora.ru/kesta/")});

        // From the menu with everything up to date, the user is told so.
        env.Http.Bodies["http://www.pelmora.ru/kesta/lastversion.txt"] =
            "01.12.2026 10:00:00\r\n1.5\r\n";
        f.Action("N11")->trigger();
        QCOMPARE(env.Ui.Messages.back().Text,
                 QStringLiteral("Вы используете последние версии программы и каталога."));
        QCOMPARE(env.Ui.Messages.back().Style, 64);
    }
};

QTEST_MAIN(CatalogueViewTest)
#include "CatalogueView_test.moc"
