#pragma once

#include "core/order/OrderFile.h"
#include "support/MainWindowFixture.h"
#include "support/TestCatalogue.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

inline std::filesystem::path FileIn(const QTemporaryDir& folder, const QString& name)
{
    return QFile::encodeName(folder.filePath(name)).toStdString();
}

// Saves the order into a throw-away file: it then counts as unmodified.
inline void MarkOrderSaved(MainWindowFixture& f)
{
    QTemporaryDir folder;
    f.Env.Order.save(FileIn(folder, QStringLiteral("saved.order")));
}

// Makes `lines` the order, modified or as if just opened, and shows it.
inline void ReplaceOrder(MainWindowFixture& f, const std::vector<OrderItem>& lines, bool modified)
{
    Order& order = f.Env.Order;
    QTemporaryDir folder;
    const std::filesystem::path file = FileIn(folder, QStringLiteral("replaced.order"));
    WriteOrderFile(file, lines, static_cast<int32_t>(lines.size()));
    order.load(file);
    // A change that leaves the lines as they are.
    if (modified && lines.empty()) {
        order.add(f.Env.Catalogue.entries().at(0), 1);
        order.removeLine(0);
    } else if (modified) {
        order.changeQuantity(0, lines[0].Quantity);
    }
    f.Window.showOrder();
}

// Makes the order the lines of the first `count` catalogue products, with
// quantities 3, 1, 8, and shows it.
inline void SetTestOrder(MainWindowFixture& f, int count, bool modified)
{
    static const int quantities[] = {3, 1, 8};
    std::vector<OrderItem> lines;
    for (int k = 0; k < count; ++k)
        lines.push_back(OrderItem::FromEntry(f.Env.Catalogue.entries()[static_cast<std::size_t>(k)],
                                             quantities[k]));
    ReplaceOrder(f, lines, modified);
}

// The current order as the bytes of its file, for comparing states.
inline QByteArray CurrentOrderBytes(const Order& order)
{
    const std::vector<OrderItem> lines(order.lines().begin(), order.lines().end());
    return QByteArray::fromStdString(OrderFileContent(lines, order.lineCount()));
}

// Three products, written once per test program and copied where a test
// needs them: building a database syncs it to disk at every statement, which
// a busy disk makes slow.
inline void PlaceThreeProductCatalogue(const GuiTestEnvironment& env)
{
    static QTemporaryDir folder;
    static const QString source = [] {
        const QString file = folder.filePath(QStringLiteral("telvarin.db"));
        WriteTestCatalogue(file, {Product("AB-1", "Кружка", 2.5), Product("CD-2", "Ваза", 10),
                                  Product("EF-3", "Набор <Люкс> & Co", 1.25)});
        return file;
    }();
    const QString catalogue = env.Path(QStringLiteral("home/PelmoraDB/telvarin.db"));
    QDir().mkpath(QFileInfo(catalogue).absolutePath());
    QFile::copy(source, catalogue);
}

// The question a save asks before it replaces an existing file.
inline QString ReplaceQuestion(const QString& path)
{
    return QStringLiteral("Файл «%1» уже существует.\nЗаменить его?")
        .arg(QDir::toNativeSeparators(path));
}
