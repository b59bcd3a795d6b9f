#pragma once

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/order/Order.h"
#include "core/order/OrderHistory.h"
#include "core/seams/Clock.h"
#include "core/seams/Seams.h"
#include "core/settings/Settings.h"
#include "core/startup/Startup.h"
#include "core/text/NumberFormat.h"
#include "support/FakeHttpClient.h"
#include "support/FakeInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <functional>

class FixedClock : public IClock
{
public:
    QDateTime Value = QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9));
    QDateTime Now() const override { return Value; }
};

// A clean profile for one widget test: home and settings folders in a
// temporary folder, scripted dialogs, no network, a fixed clock, and the
// catalogue, prices, order and settings the program entry would own.
class GuiTestEnvironment
{
public:
    FakeInteraction Ui;
    FakeHttpClient Http;
    FixedClock Clock;
    TFormatSettings Format = FormatFromLocale(QLocale::system());
    ::Catalogue Catalogue;
    ::Prices Prices;
    ::Order Order;
    ::OrderHistory History{Order};
    ::Settings Settings{Format};

    GuiTestEnvironment()
    {
        for (const char* name : {"home", "config", "data"})
            QDir(m_root.path()).mkpath(QString::fromLatin1(name));
        qputenv("HOME", Path(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", Path(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", Path(QStringLiteral("data")).toLocal8Bit());
    }

    ::Seams Seams() { return {Ui, Http, Clock}; }
    // The folders as the profile's environment names them at the time of the call.
    static StartupPlaces Places() { return StandardStartupPlaces(); }

    QString Path(const QString& relative) const { return QDir(m_root.path()).filePath(relative); }
    QString SettingsFile() const { return Path(QStringLiteral("config/Pelmora/settings.ini")); }
    QString UserInfoFile() const { return Path(QStringLiteral("data/Pelmora/userinfo.ini")); }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Write(const QString& relative, const QByteArray& content) const
    {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }

private:
    QTemporaryDir m_root;
};

// Acts on the next modal dialog as soon as it is open (e.g. to fill and close
// it); the nested event loop of exec() lets the timer run.
inline void OnNextModal(std::function<void(QDialog*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, tries] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog || ++*tries > 2000) {
            timer->stop();
            timer->deleteLater();
            if (dialog)
                action(dialog);
        }
    });
    timer->start();
}
