#include "gui/MainMenu.h"

#include "gui/CommandShortcuts.h"
#include "gui/WidgetPlacement.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* AddCommand(QMenu* menu, const QString& caption, const char* designerName,
                    const QKeySequence& keys = {})
{
    QAction* action = Named(menu->addAction(caption), designerName);
    action->setShortcut(keys);
    return action;
}

} // namespace

MainMenu CreateMainMenu(QMainWindow& window)
{
    MainMenu menu;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("Файл"));
    menu.newOrder =
        AddCommand(file, QStringLiteral("Новый заказ"), "N2", QKeySequence(Qt::CTRL | Qt::Key_N));
    menu.openOrder = AddCommand(file, QStringLiteral("Открыть заказ..."), "N3",
                                QKeySequence(Qt::CTRL | Qt::Key_O));
    menu.recentOrders = Named(file->addMenu(QStringLiteral("Недавние заказы")), "recentOrders");
    menu.saveOrder = AddCommand(file, QStringLiteral("Сохранить заказ..."), "N4",
                                QKeySequence(Qt::CTRL | Qt::Key_S));
    menu.exportOrder = AddCommand(file, QStringLiteral("Экспорт заказа…"), "exportOrder");
    menu.checkCatalogue = AddCommand(file, QStringLiteral("Сверить с каталогом"), "checkCatalogue");
    menu.completeOrder = AddCommand(file, QStringLiteral("Завершить заказ"), "N16",
                                    QKeySequence(Qt::CTRL | Qt::Key_E));
    Named(file->addSeparator(), "N17");
    menu.exit =
        AddCommand(file, QStringLiteral("Выход"), "N18", QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* view = window.menuBar()->addMenu(QStringLiteral("Вид"));
    menu.onePicture = AddCommand(view, QStringLiteral("Одно изображение товара"), "N14");
    menu.twoPictures = AddCommand(view, QStringLiteral("Два изображения товара"), "N15");
    auto* previewModes = new QActionGroup(&window);
    for (QAction* mode : {menu.onePicture, menu.twoPictures}) {
        mode->setCheckable(true);
        previewModes->addAction(mode);
    }

    QMenu* database = window.menuBar()->addMenu(QStringLiteral("База данных"));
    menu.chooseCatalogueFile = AddCommand(database, QStringLiteral("Указать файл БД"), "N13");
    menu.checkForUpdates =
        AddCommand(database, QStringLiteral("Проверить обновление на сайте компании..."), "N11");

    QMenu* settings = window.menuBar()->addMenu(QStringLiteral("Настройки"));
    menu.customerDetails = AddCommand(settings, QStringLiteral("Информация о пользователе"), "N6");
    menu.euroRate = AddCommand(settings, QStringLiteral("Указать курс евро..."), "N12");

    QMenu* help = window.menuBar()->addMenu(QStringLiteral("Помощь"));
    menu.about = AddCommand(help, QStringLiteral("О программе"), "N8");

    // Only these: an editing shortcut such as undo must stay the focused box's.
    new CommandShortcuts(
        &window, {menu.newOrder, menu.openOrder, menu.saveOrder, menu.completeOrder, menu.exit});
    return menu;
}
