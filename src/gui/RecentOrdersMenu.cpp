#include "gui/RecentOrdersMenu.h"

#include "core/seams/Interaction.h"
#include "core/settings/Settings.h"
#include "gui/ErrorHandler.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {

// %1 is the file's full path.
const char* const kRecentFileMissing =
    "Файл заказа «%1» не найден. Он удалён из списка недавних заказов.";

} // namespace

RecentOrdersMenu::RecentOrdersMenu(QMenu& menu, Settings& settings, IUserInteraction& ui,
                                   QObject* parent)
    : QObject(parent), m_menu(menu), m_settings(settings), m_recent(settings), m_ui(ui)
{
    m_menu.setToolTipsVisible(true);
    // Another part of the program may have changed the list since.
    connect(&m_menu, &QMenu::aboutToShow, this, &RecentOrdersMenu::refill);
    refill();
}

void RecentOrdersMenu::record(const QString& file)
{
    // The file itself is in order: a list that cannot be kept is reported on its own.
    Guarded(m_ui, [&] { m_recent.add(file); });
    refill();
}

void RecentOrdersMenu::refill()
{
    // Later: the entry chosen may be the one running now.
    for (QAction* old : m_menu.actions()) {
        m_menu.removeAction(old);
        old->deleteLater();
    }
    QStringList files;
    if (m_settings.isOpen())
        Guarded(m_ui, [&] { files = m_recent.files(); });
    for (const QString& file : files) {
        QString caption = QFileInfo(file).fileName();
        // A '&' in the name is shown, not taken for a shortcut mark.
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = m_menu.addAction(caption);
        entry->setToolTip(file);
        connect(entry, &QAction::triggered, this, [this, file] { choose(file); });
    }
    m_menu.addSeparator();
    QAction* clearList = m_menu.addAction(QStringLiteral("Очистить список"));
    clearList->setObjectName(QStringLiteral("clearRecentOrders"));
    clearList->setEnabled(!files.isEmpty());
    connect(clearList, &QAction::triggered, this, &RecentOrdersMenu::clear);
}

void RecentOrdersMenu::choose(QString file)
{
    if (QFileInfo::exists(file)) {
        Q_EMIT openRequested(file);
        return;
    }
    m_ui.MessageBox(QString::fromUtf8(kRecentFileMissing).arg(file), QStringLiteral("Ошибка"),
                    MessageButtons::Ok, MessageIcon::Error);
    Guarded(m_ui, [&] { m_recent.remove(file); });
    refill();
}

void RecentOrdersMenu::clear()
{
    Guarded(m_ui, [&] { m_recent.clear(); });
    refill();
}
