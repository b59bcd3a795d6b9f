#pragma once

#include "core/order/OrderFile.h"
#include "core/startup/AppState.h"
#include "gui/MainWindow.h"
#include "support/GuiTestEnvironment.h"
#include "support/TestCatalogue.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

// Makes the order the lines of the first `count` catalogue products, with
// quantities 3, 1, 8, and shows it.
inline void SetTestOrder(MainWindow& window, int count, bool modified)
{
    static const int quantities[] = {3, 1, 8};
    App().OrderItems.clear();
    for (int k = 0; k < count; ++k)
        App().OrderItems.push_back(OrderItem::FromEntry(
            App().CatalogueEntries[static_cast<std::size_t>(k)], quantities[k]));
    App().OrderItemCount = count;
    window.showOrder(modified);
}

// The current order as the bytes of its file, for comparing states.
inline QByteArray CurrentOrderBytes()
{
    return QByteArray::fromStdString(OrderFileContent(App().OrderItems, App().OrderItemCount));
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
