#include "BenchReport.h"
#include "BenchSession.h"
#include "Measurements.h"
#include "core/catalogue/ArticleSearch.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "gui/CatalogueGridModel.h"
#include "gui/CatalogueView.h"
#include "gui/GridPainting.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace Bench {

namespace {

// A bare SQLite read of the same rows: every column's text, nothing converted.
double BareRead(const QString& database, const char* sql)
{
    return MedianMs([&] {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr);
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        std::size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                bytes += std::strlen(reinterpret_cast<const char*>(
                    sqlite3_column_text(statement, c)
                        ? sqlite3_column_text(statement, c)
                        : reinterpret_cast<const unsigned char*>("")));
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        if (bytes == 0)
            std::printf("  (no rows)\n");
    });
}

// Types `text`'s last character on the catalogue grid, the rest of it being
// in the search box already, as a keystroke reaches the window.
void TypeLastCharacter(const Session& session, const QString& text)
{
    {
        auto* search = session.Find<QLineEdit>("Edit2");
        const QSignalBlocker quiet(search);
        search->setText(text.chopped(1));
    }
    const QString last = text.right(1);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, last);
    QApplication::sendEvent(session.Find<QTableView>("sg1"), &press);
}

} // namespace

void MeasureCatalogue(Session& session, const CatalogueFolder& large)
{
    Heading("Catalogue load and filter, 100,000 products");
    const std::string filter = Cp("Ваза");
    Catalogue catalogue;
    Prices prices;
    catalogue.setDatabasePath(ToCp1251(large.Database));
    const TFormatSettings& format = session.Format;
    const TFormatSettings dot = MakeDotNumberFormat(format);
    const double all = MedianMs([&] { LoadCatalogueData(catalogue, prices, "", dot, format, {}); });
    const double filtered =
        MedianMs([&] { LoadCatalogueData(catalogue, prices, filter, dot, format, {}); });
    const int filteredCount = catalogue.count();
    const double bareAll = BareRead(large.Database, "SELECT * FROM catalogue ORDER BY SKU ASC");
    const std::string bareSql =
        "SELECT * FROM catalogue WHERE (Name LIKE \"%" + filter + "%\") ORDER BY SKU ASC";
    const double bareFiltered = BareRead(large.Database, bareSql.c_str());

    auto* grid = session.Find<QTableView>("sg1");
    const auto command = [&](const QString& text) {
        session.Find<QLineEdit>("Edit1")->setText(text);
        session.Find<QPushButton>("Button7")->click();
        QCoreApplication::processEvents();
        (void)grid->grab();
    };
    const double windowFiltered =
        MedianMs([&] { command(FromCp1251(filter)); }, [&] { session.StopPictureTimer(); });
    const double windowAll =
        MedianMs([&] { command(QString()); }, [&] { session.StopPictureTimer(); });
    session.StopPictureTimer();

    Compared("LoadCatalogueData, unfiltered", all, bareAll);
    Figure("  bare SQLite read of the same rows (baseline)", bareAll);
    char what[96];
    std::snprintf(what, sizeof what, "LoadCatalogueData, filter \"Ваза\" (%d rows)", filteredCount);
    Compared(what, filtered, bareFiltered);
    Figure("  bare SQLite read of the same rows (baseline)", bareFiltered);
    Compared("filter command in the window, filtered (+ repaint)", windowFiltered, filtered);
    Compared("filter command in the window, unfiltered (+ repaint)", windowAll, all);
    std::printf("  (the window's ratios are against LoadCatalogueData alone)\n");
}

void MeasureGridFill(Session& session)
{
    Heading("Catalogue grid fill, 100,000 products");
    auto* view = session.Find<CatalogueView>("GroupBox3");
    auto* shown = session.Find<QTableView>("sg1");
    const double fill = MedianMs(
        [&] {
            view->refill();
            QCoreApplication::processEvents();
            (void)shown->grab();
        },
        [&] { session.StopPictureTimer(); });
    session.StopPictureTimer();

    // The baseline: the same model reset and paint in a bare grid.
    QTableView grid;
    CatalogueGridModel model(session.Catalogue, session.Prices, session.Format);
    grid.setModel(&model);
    SetUpStringGrid(&grid);
    grid.resize(shown->size());
    grid.show();
    const double bare = MedianMs([&] {
        model.refill();
        grid.setCurrentIndex(model.index(0, 0));
        QCoreApplication::processEvents();
        (void)grid.grab();
    });
    Compared("FillCatalogueGrid + repaint", fill, bare);
    Figure("bare grid: model reset + repaint (baseline)", bare);
    Verdict("below 50 ms", fill < 50);
}

void MeasureSearch(Session& session)
{
    Heading("Type-ahead article search on each keystroke, 100,000 products");
    const Catalogue& catalogue = session.Catalogue;
    auto* grid = session.Find<QTableView>("sg1");
    session.Find<QPushButton>("Button7")->click(); // the whole catalogue
    session.StopPictureTimer();
    const auto backToTop = [&] {
        session.StopPictureTimer();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        session.StopPictureTimer();
    };

    const QString none = QStringLiteral("ZR-2");
    const QString last = QString::fromStdString(LastArticleCode(catalogue.count()));
    const auto keystroke = [&](const QString& text, bool repaint) {
        return MedianMs(
            [&] {
                TypeLastCharacter(session, text);
                if (repaint)
                    QCoreApplication::processEvents();
            },
            backToTop);
    };
    const double noneKey = keystroke(none, false);
    const double noneKeyPaint = keystroke(none, true);
    const double lastKey = keystroke(last, false);
    const double lastKeyPaint = keystroke(last, true);
    const int lastRow = grid->currentIndex().row() + 1;
    backToTop();

    const std::string noneText = none.toStdString();
    const std::string lastText = last.toStdString();
    const auto bare = [&](const std::string& text) {
        int found = -1;
        const double ms = MedianMs([&] {
            found = -1;
            for (int n = 0; n < catalogue.count(); ++n) {
                if (catalogue.entries()[static_cast<std::size_t>(n)].SKU.View().find(text) !=
                    std::string_view::npos) {
                    found = n;
                    break;
                }
            }
        });
        return std::make_pair(ms, found);
    };
    const auto [bareNone, bareNoneRow] = bare(noneText);
    const auto [bareLast, bareLastRow] = bare(lastText);
    const double findNone =
        MedianMs([&] { FindArticle(catalogue.entries(), catalogue.count(), noneText); });
    const double findLast =
        MedianMs([&] { FindArticle(catalogue.entries(), catalogue.count(), lastText); });

    Compared("FindArticle, text matching nothing", findNone, bareNone);
    Compared("keystroke -> Edit2Change, matching nothing", noneKey, bareNone);
    Compared("  + repaint", noneKeyPaint, bareNone);
    Compared("FindArticle, the last product's code", findLast, bareLast);
    Compared("keystroke -> Edit2Change, the last product's code", lastKey, bareLast);
    Compared("  + repaint (grid scrolled to the last row)", lastKeyPaint, bareLast);
    Figure("bare string_view::find loop, matching nothing (baseline)", bareNone);
    Figure("bare string_view::find loop, last product (baseline)", bareLast);
    std::printf("  rows found: window %d of %d, bare loop %d%s\n", lastRow, catalogue.count(),
                bareLastRow + 1, bareNoneRow < 0 ? "" : " (the no-match text matched!)");
    Verdict("below 10 ms per keystroke", std::max(noneKeyPaint, lastKeyPaint) < 10);
}

} // namespace Bench
