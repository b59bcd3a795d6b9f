#include "DemoCatalogue.h"

#include "DemoProducts.h"

#include <sqlite3.h>
#include <stdexcept>

namespace {

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

} // namespace

void WriteDemoCatalogue(const std::filesystem::path& file, int productCount, uint64_t seed,
                        const std::string& timeStamp)
{
    std::filesystem::remove(file);
    std::filesystem::remove(file.string() + "-journal");
    Connection db(file);
    db.Exec("BEGIN");
    db.Exec("CREATE TABLE options (Option TEXT, Value TEXT)");
    db.Exec("CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price REAL, MinQuantity INTEGER, "
            "Packing INTEGER, Volume REAL, Weight REAL, Image TEXT)");
    {
        Insert option(db, "INSERT INTO options (Option, Value) VALUES (?, ?)");
        option.Text(1, "DBTimeStamp").Text(2, timeStamp).Run();
        option.Text(1, "EuroIndex").Text(2, "1.005").Run();

        Insert product(db, "INSERT INTO catalogue VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        TDemoAssortment assortment(seed);
        for (int i = 0; i < productCount; ++i) {
            const DemoProduct p = assortment.Next();
            product.Text(1, p.SKU).Text(2, p.Name).Real(3, p.Price).Integer(4, p.MinQuantity);
            product.Integer(5, p.Packing).Real(6, p.Volume).Real(7, p.Weight).Text(8, p.Image);
            product.Run();
        }
    }
    db.Exec("COMMIT");
}
