#include "BenchCatalogue.h"
#include "BenchPhoto.h"

#include "core/text/Cp1251.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>

namespace Bench {

namespace {

// Ten kinds of product, each with its article prefix; names run to about 45
// characters like a real gift catalogue's.
struct Kind
{
    const char* Prefix;
    const char* Name; // UTF-8
};
const Kind kKinds[] = {
    {"VZ", "Ваза декоративная"}, {"KR", "Кружка керамическая"},
    {"ST", "Статуэтка"},         {"PD", "Подсвечник"},
    {"SH", "Шкатулка"},          {"RM", "Фоторамка"},
    {"CH", "Часы настольные"},   {"KP", "Копилка"},
    {"NB", "Набор бокалов"},     {"ZR", "Зеркало настольное"},
};
const char* const kMotifs[] = {"Зимняя сказка", "Ангел",   "Royal",   "Nordic", "Прованс",
                               "Жар-птица",     "Лаванда", "Classic", "Полёт",  "Берёзка"};
const char* const kColours[] = {"белый",   "красный", "золотой",    "синий",
                                "зелёный", "бежевый", "прозрачный", "чёрный"};

// The article code of product i: the kind's prefix and a serial, unique.
std::string ArticleCode(int i)
{
    return std::string(kKinds[i % 10].Prefix) + "-" + std::to_string(10000 + i / 10);
}

void Check(int result, sqlite3* db, const char* what)
{
    if (result != SQLITE_OK && result != SQLITE_DONE)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

// A catalogue file as the wholesaler delivers it, `count` products whose
// pictures are the `kPictures` files p1.jpg ... in varying lists.
void WriteCatalogue(const QString& path, int count)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path.toStdString());
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(db, sqlite3_close);
    Check(sqlite3_exec(db,
                       "CREATE TABLE options (Option TEXT, Value TEXT);"
                       "CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price REAL,"
                       " MinQuantity INTEGER, Packing INTEGER, Volume REAL, Weight REAL,"
                       " Image TEXT);"
                       "INSERT INTO options VALUES ('DBTimeStamp', '01.12.2026 10:00:00'),"
                       " ('EuroIndex', '1.005');"
                       "BEGIN;",
                       nullptr, nullptr, nullptr),
          db, "schema");
    sqlite3_stmt* insert = nullptr;
    Check(sqlite3_prepare_v2(db, "INSERT INTO catalogue VALUES (?, ?, ?, ?, ?, ?, ?, ?)", -1,
                             &insert, nullptr),
          db, "prepare");
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> finaliser(insert, sqlite3_finalize);
    const char* const pictureLists[] = {"p1.jpg;p2.jpg;p3.jpg;p4.jpg", "p2.jpg;p3.jpg", "p3.jpg",
                                        "p4.jpg;p1.jpg;p2.jpg"};
    const int quantities[] = {1, 2, 4, 6, 12};
    for (int i = 0; i < count; ++i) {
        const std::string sku = ArticleCode(i);
        const std::string name = Cp(kKinds[i % 10].Name) + Cp(" «") + Cp(kMotifs[(i / 10) % 10]) +
                                 Cp("», ") + std::to_string(5 + (i / 100) % 40) + Cp(" см, ") +
                                 Cp(kColours[(i / 1000) % 8]);
        sqlite3_bind_text(insert, 1, sku.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 3, 0.5 + (i * 37 % 2000) / 10.0);
        sqlite3_bind_int(insert, 4, quantities[i % 5]);
        sqlite3_bind_int(insert, 5, quantities[i % 5] * 2);
        sqlite3_bind_double(insert, 6, 0.5 + (i % 50) / 10.0);
        sqlite3_bind_double(insert, 7, 0.1 + (i % 30) / 20.0);
        sqlite3_bind_text(insert, 8, pictureLists[i % 4], -1, SQLITE_STATIC);
        Check(sqlite3_step(insert), db, "insert");
        sqlite3_reset(insert);
    }
    Check(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), db, "commit");
}

} // namespace

std::string LastArticleCode(int count)
{
    std::string last;
    for (int i = std::max(0, count - 10); i < count; ++i)
        last = std::max(last, ArticleCode(i));
    return last;
}

CatalogueFolder MakeCatalogueFolder(const QString& folder, int count, const QString& sharedPictures)
{
    QDir().mkpath(folder + QStringLiteral("/img"));
    CatalogueFolder result{folder + QStringLiteral("/telvarin.db"),
                           sharedPictures.isEmpty() ? folder + QStringLiteral("/img/")
                                                    : sharedPictures};
    WriteCatalogue(result.Database, count);
    for (int i = 0; sharedPictures.isEmpty() && i < kPictures; ++i) {
        const QString file = result.Pictures + QStringLiteral("p%1.jpg").arg(i + 1);
        if (!MakeBenchPhoto(kPictureSize, i, 2).save(file, "JPG", 90))
            throw std::runtime_error("cannot write " + file.toStdString());
    }
    return result;
}

} // namespace Bench
