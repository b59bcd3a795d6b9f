#include "gui/CommandShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <utility>

CommandShortcuts::CommandShortcuts(QWidget* window, QList<QAction*> commands)
    : QObject(window), m_window(window), m_commands(std::move(commands))
{
    // The key may go to any widget of the window, so the filter sits on the
    // application; it ends with this object.
    qApp->installEventFilter(this);
}

bool CommandShortcuts::isCommandKey(const QKeySequence& keys) const
{
    for (const QAction* command : m_commands) {
        if (command->isEnabled() && command->shortcuts().contains(keys))
            return true;
    }
    return false;
}

bool CommandShortcuts::eventFilter(QObject* watched, QEvent* event)
{
    // Before a shortcut runs, the focused widget is offered the key as a
    // ShortcutOverride; a widget that accepts it keeps the key. Withholding
    // the offer, unaccepted, lets the command's shortcut run instead.
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!isCommandKey(QKeySequence(key->keyCombination())))
        return false;
    key->ignore();
    return true;
}
