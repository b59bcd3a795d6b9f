#include "gui/EditMenu.h"

#include "gui/CommandShortcuts.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

EditMenu CreateEditMenu(QMainWindow& window)
{
    QMenuBar* bar = window.menuBar();
    auto* menu = new QMenu(QStringLiteral("Правка"), bar);
    menu->setObjectName(QStringLiteral("EditMenu"));
    const QList<QAction*> menus = bar->actions();
    bar->insertMenu(menus.size() > 1 ? menus[1] : nullptr, menu);

    EditMenu edit;
    edit.undo = menu->addAction(QStringLiteral("Отменить"));
    edit.undo->setObjectName(QStringLiteral("UndoCommand"));
    edit.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    edit.redo = menu->addAction(QStringLiteral("Повторить"));
    edit.redo->setObjectName(QStringLiteral("RedoCommand"));
    edit.redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    menu->addSeparator();
    edit.pasteList = menu->addAction(QStringLiteral("Вставить список товаров…"));
    edit.pasteList->setObjectName(QStringLiteral("PasteListCommand"));
    edit.pasteList->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    menu->setToolTipsVisible(true);
    for (QAction* command : {edit.undo, edit.redo})
        command->setEnabled(false);

    new CommandShortcuts(&window, {edit.pasteList});
    return edit;
}
