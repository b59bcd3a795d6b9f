#pragma once

#include "core/text/Cp1251.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <charconv>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

struct TestProduct
{
    std::string SKU;
    std::string Name; // UTF-8; stored as Windows-1251 like a real catalogue
    double Price = 1;
    int MinQuantity = 1;
    int Packing = 1;
    double Volume = 1;
    double Weight = 1;
    std::string Image;
};

inline TestProduct Product(std::string sku, std::string name, double price = 1,
                           std::string image = {})
{
    TestProduct product;
    product.SKU = std::move(sku);
    product.Name = std::move(name);
    product.Price = price;
    product.Image = std::move(image);
    return product;
}

// The shortest text that reads back as the same double, with a decimal point
// whatever the process locale.
inline std::string SqlNumber(double value)
{
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// Writes a catalogue file as the wholesaler delivers it: options and products.
inline void WriteTestCatalogue(const QString& path, const std::vector<TestProduct>& products,
                               const std::string& timeStamp = "01.12.2026 10:00:00",
                               const std::string& euroIndex = "1.005")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create the test catalogue");
    }
    std::string script =
        "CREATE TABLE options (Option TEXT, Value TEXT);"
        "CREATE TABLE catalogue (SKU TEXT, Name TEXT, Price REAL, MinQuantity INTEGER,"
        " Packing INTEGER, Volume REAL, Weight REAL, Image TEXT);"
        "INSERT INTO options VALUES ('DBTimeStamp', '" +
        timeStamp + "'), ('EuroIndex', '" + euroIndex + "');";
    for (const TestProduct& p : products) {
        const std::string numbers = SqlNumber(p.Price) + ", " + std::to_string(p.MinQuantity) +
                                    ", " + std::to_string(p.Packing) + ", " + SqlNumber(p.Volume) +
                                    ", " + SqlNumber(p.Weight);
        script += "INSERT INTO catalogue VALUES ('" + p.SKU + "', '" + Utf8ToCp1251(p.Name) +
                  "', " + numbers + ", '" + p.Image + "');";
    }
    char* error = nullptr;
    const int result = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error);
    sqlite3_free(error);
    sqlite3_close(db);
    if (result != SQLITE_OK)
        throw std::runtime_error("cannot fill the test catalogue");
}
