// make_demo_catalogue <folder> [productCount=1500]
//
// Writes <folder>/telvarin.db, a catalogue of invented gift products, and
// <folder>/img/ with the pictures the products name. The database is written
// anew on every run; the pictures are overwritten.

#include "DemoPictures.h"
#include "DemoProducts.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr int kPictureCount = 24;

class Connection
{
public:
    explicit Connection(const std::filesystem::path& file)
    {
        if (sqlite3_open(file.c_str(), &m_db) != SQLITE_OK)
            Fail("open " + file.string());
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* Handle() const { return m_db; }

    void Exec(const char* sql)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            Fail(sql);
    }

    [[noreturn]] void Fail(const std::string& what) const
    {
        throw std::runtime_error(what + ": " + sqlite3_errmsg(m_db));
    }

private:
    sqlite3* m_db = nullptr;
};

class Insert
{
public:
    Insert(Connection& connection, const char* sql) : m_connection(connection)
    {
        if (sqlite3_prepare_v2(connection.Handle(), sql, -1, &m_statement, nullptr) != SQLITE_OK)
            connection.Fail(sql);
    }
    ~Insert() { sqlite3_finalize(m_statement); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    Insert& Text(int index, const std::string& value)
    {
        sqlite3_bind_text(m_statement, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Insert& Real(int index, double value)
    {
        sqlite3_bind_double(m_statement, index, value);
        return *this;
    }
    Insert& Integer(int index, int value)
    {
        sqlite3_bind_int(m_statement, index, value);
        return *this;
    }
    void Run()
    {
        if (sqlite3_step(m_statement) != SQLITE_DONE)
            m_connection.Fail("insert");
        sqlite3_reset(m_statement);
    }

private:
    Connection& m_connection;
    sqlite3_stmt* m_statement = nullptr;
};

void WriteCatalogue(const std::filesystem::path& file, int productCount,
                    const std::vector<std::string>& pictures)
{
    std::filesystem::remove(file);
    Connection db(file);
    db.Exec("BEGIN");
    db.Exec("CREATE TABLE options (Option TEXT, Value TEXT)");
    db.Exec("CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price REAL, MinQuantity INTEGER, "
            "Packing INTEGER, Volume REAL, Weight REAL, Image TEXT)");
    {
        Insert option(db, "INSERT INTO options (Option, Value) VALUES (?, ?)");
        option.Text(1, "DBTimeStamp").Text(2, "01.12.2026 10:00:00").Run();
        option.Text(1, "EuroIndex").Text(2, "1.005").Run();

        Insert product(db, "INSERT INTO catalogue VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        DemoRandom random(20261201);
        for (int i = 0; i < productCount; ++i) {
            const DemoProduct p = MakeDemoProduct(i, pictures, random);
            product.Text(1, p.SKU).Text(2, p.Name).Real(3, p.Price).Integer(4, p.MinQuantity);
            product.Integer(5, p.Packing).Real(6, p.Volume).Real(7, p.Weight).Text(8, p.Image);
            product.Run();
        }
    }
    db.Exec("COMMIT");
}

bool ParseCount(std::string_view text, int& count)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count > 0;
}

} // namespace

int main(int argc, char** argv)
{
    int productCount = 1500;
    if (argc < 2 || argc > 3 || (argc == 3 && !ParseCount(argv[2], productCount))) {
        std::fprintf(stderr, "usage: make_demo_catalogue <folder> [productCount=1500]\n");
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        const std::filesystem::path images = folder / "img";
        std::filesystem::create_directories(images);
        const std::vector<std::string> pictures = WriteDemoPictures(images, kPictureCount);
        WriteCatalogue(folder / "telvarin.db", productCount, pictures);
        std::printf("%s: %d products, %d pictures in %s\n", (folder / "telvarin.db").c_str(),
                    productCount, kPictureCount, images.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_demo_catalogue: %s\n", error.what());
        return 1;
    }
    return 0;
}
