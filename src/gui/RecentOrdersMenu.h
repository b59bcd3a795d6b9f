#pragma once

#include "core/settings/RecentOrders.h"

#include <QObject>
#include <QString>

class IUserInteraction;
class QMenu;
class Settings;

// Файл → "Недавние заказы": the order files last saved or opened, newest
// first, each shown by its name with the full path as its tool tip, and
// "Очистить список" at the end. A chosen file that still exists is asked to
// be opened; one that is gone is named in a message and leaves the list.
class RecentOrdersMenu : public QObject
{
    Q_OBJECT
public:
    RecentOrdersMenu(QMenu& menu, Settings& settings, IUserInteraction& ui, QObject* parent);

    // Puts `file` at the top of the list.
    void record(const QString& file);
    // Shows the list as the settings keep it now.
    void refill();

Q_SIGNALS:
    void openRequested(const QString& file);

private:
    void choose(QString file);
    void clear();

    QMenu& m_menu;
    Settings& m_settings;
    RecentOrders m_recent;
    IUserInteraction& m_ui;
};
