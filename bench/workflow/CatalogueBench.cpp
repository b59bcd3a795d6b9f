#include "BenchReport.h"
#include "BenchSession.h"
#include "Measurements.h"
#include "core/catalogue/ArticleSearch.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/startup/AppState.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "gui/CatalogueGridModel.h"
#include "gui/GridPainting.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
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
void TypeLastCharacter(MainWindow& form, const QString& text)
{
    {
        const QSignalBlocker quiet(form.Edit2);
        form.Edit2->setText(text.chopped(1));
    }
    const QString last = text.right(1);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, last);
    QApplication::sendEvent(form.sg1, &press);
}

} // namespace

void MeasureCatalogue(Session& session, const CatalogueFolder& large)
{
    Heading("Catalogue load and filter, 100,000 products");
    const std::string filter = Cp("Ваза");
    AppState state;
    state.DBPath = ToCp1251(large.Database);
    const TFormatSettings dot = MakeDotNumberFormat(SystemFormat());
    const double all = MedianMs([&] { LoadCatalogueData(state, "", dot, {}); });
    const double filtered = MedianMs([&] { LoadCatalogueData(state, filter, dot, {}); });
    const int filteredCount = state.CatalogueCount;
    const double bareAll = BareRead(large.Database, "SELECT * FROM catalogue ORDER BY SKU ASC");
    const std::string bareSql =
        "SELECT * FROM catalogue WHERE (Name LIKE \"%" + filter + "%\") ORDER BY SKU ASC";
    const double bareFiltered = BareRead(large.Database, bareSql.c_str());

    MainWindow& form = *session.Form1;
    const auto command = [&](const QString& text) {
        form.Edit1->setText(text);
        form.Button7Click();
        QCoreApplication::processEvents();
        (void)form.sg1->grab();
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
    MainWindow& form = *session.Form1;
    const double fill = MedianMs(
        [&] {
            form.FillCatalogueGrid();
            QCoreApplication::processEvents();
            (void)form.sg1->grab();
        },
        [&] { session.StopPictureTimer(); });
    session.StopPictureTimer();

    // The baseline: the same model reset and paint in a bare grid.
    QTableView grid;
    TCatalogueGridModel model;
    grid.setModel(&model);
    SetUpStringGrid(&grid);
    grid.resize(form.sg1->size());
    grid.show();
    const double bare = MedianMs([&] {
        model.Refill();
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
    MainWindow& form = *session.Form1;
    const AppState& app = App();
    form.Button7Click(); // the whole catalogue
    session.StopPictureTimer();
    const auto backToTop = [&] {
        session.StopPictureTimer();
        form.sg1->setCurrentIndex(form.sg1->model()->index(0, 0));
        session.StopPictureTimer();
    };

    const QString none = QStringLiteral("ZR-2");
    const QString last = QString::fromStdString(LastArticleCode(app.CatalogueCount));
    const auto keystroke = [&](const QString& text, bool repaint) {
        return MedianMs(
            [&] {
                TypeLastCharacter(form, text);
                if (repaint)
                    QCoreApplication::processEvents();
            },
            backToTop);
    };
    const double noneKey = keystroke(none, false);
    const double noneKeyPaint = keystroke(none, true);
    const double lastKey = keystroke(last, false);
    const double lastKeyPaint = keystroke(last, true);
    const int lastRow = form.sg1->currentIndex().row() + 1;
    backToTop();

    const std::string noneText = none.toStdString();
    const std::string lastText = last.toStdString();
    const auto bare = [&](const std::string& text) {
        int found = -1;
        const double ms = MedianMs([&] {
            found = -1;
            for (int n = 0; n < app.CatalogueCount; ++n) {
                if (app.CatalogueEntries[static_cast<std::size_t>(n)].SKU.View().find(text) !=
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
        MedianMs([&] { FindArticle(app.CatalogueEntries, app.CatalogueCount, noneText); });
    const double findLast =
        MedianMs([&] { FindArticle(app.CatalogueEntries, app.CatalogueCount, lastText); });

    Compared("FindArticle, text matching nothing", findNone, bareNone);
    Compared("keystroke -> Edit2Change, matching nothing", noneKey, bareNone);
    Compared("  + repaint", noneKeyPaint, bareNone);
    Compared("FindArticle, the last product's code", findLast, bareLast);
    Compared("keystroke -> Edit2Change, the last product's code", lastKey, bareLast);
    Compared("  + repaint (grid scrolled to the last row)", lastKeyPaint, bareLast);
    Figure("bare string_view::find loop, matching nothing (baseline)", bareNone);
    Figure("bare string_view::find loop, last product (baseline)", bareLast);
    std::printf("  rows found: window %d of %d, bare loop %d%s\n", lastRow, app.CatalogueCount,
                bareLastRow + 1, bareNoneRow < 0 ? "" : " (the no-match text matched!)");
    Verdict("below 10 ms per keystroke", std::max(noneKeyPaint, lastKeyPaint) < 10);
}

} // namespace Bench
