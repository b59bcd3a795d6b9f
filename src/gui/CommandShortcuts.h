#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QAction;
class QWidget;

// Lets the shortcuts of a window's commands work wherever the focus is in
// that window. A focused text box claims some keys for itself before any
// shortcut sees them (on X11 Ctrl+E is "end of line"), which would leave a
// menu command dead while the user types. Only the commands given here win;
// every other key, an undo in the text box among them, stays the box's.
class CommandShortcuts : public QObject
{
public:
    CommandShortcuts(QWidget* window, QList<QAction*> commands);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isCommandKey(const QKeySequence& keys) const;

    QWidget* m_window;
    QList<QAction*> m_commands;
};
