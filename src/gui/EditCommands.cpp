#include "gui/EditCommands.h"

#include "core/catalogue/ArticleCodeIndex.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/order/OrderHistory.h"
#include "core/text/Cp1251.h"
#include "gui/BusyCursor.h"
#include "gui/ErrorHandler.h"
#include "gui/OrderView.h"
#include "gui/PasteListDialog.h"

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>

EditCommands::EditCommands(const EditMenu& menu, Order& order, OrderHistory& history,
                           const Catalogue& catalogue, OrderView& view, Seams seams,
                           const TFormatSettings& systemFormat, QWidget* window)
    : QObject(window), m_menu(menu), m_order(order), m_history(history), m_catalogue(catalogue),
      m_view(view), m_seams(seams), m_systemFormat(systemFormat), m_window(window)
{
    IUserInteraction& ui = m_seams.ui;
    connect(m_menu.undo, &QAction::triggered, this, Guard(ui, this, &EditCommands::undo));
    connect(m_menu.redo, &QAction::triggered, this, Guard(ui, this, &EditCommands::redo));
    connect(m_menu.pasteList, &QAction::triggered, this, Guard(ui, this, &EditCommands::pasteList));
    refresh();
}

EditCommands::~EditCommands() = default;

void EditCommands::undo()
{
    if (m_history.undo())
        showChangedLine();
    refresh();
}

void EditCommands::redo()
{
    if (m_history.redo())
        showChangedLine();
    refresh();
}

void EditCommands::showChangedLine()
{
    m_view.refill();
    m_view.showLine(m_history.changedLine());
}

void EditCommands::refresh()
{
    m_menu.undo->setEnabled(m_history.canUndo());
    m_menu.undo->setToolTip(FromCp1251(m_history.undoToolTip()));
    m_menu.redo->setEnabled(m_history.canRedo());
    m_menu.redo->setToolTip(FromCp1251(m_history.redoToolTip()));
}

void EditCommands::pasteList()
{
    PasteListDialog dialog(catalogueCodes(), m_order, m_history, m_seams.ui, m_window);
    dialog.setListText(QGuiApplication::clipboard()->text());
    dialog.exec();
    if (dialog.addedLines() > 0)
        m_view.refill();
    refresh();
}

const ArticleCodeIndex& EditCommands::catalogueCodes()
{
    const std::string& path = m_catalogue.databasePath();
    const QDateTime written = QFileInfo(FromCp1251(path)).lastModified();
    const std::string version =
        path + '\n' + m_catalogue.timeStamp() + '\n' + std::to_string(written.toMSecsSinceEpoch());
    if (m_codes && version == m_codesVersion)
        return *m_codes;
    m_codes.reset();
    BusyCursor busy;
    m_codes = std::make_unique<ArticleCodeIndex>(
        path.empty() ? std::vector<CatalogueEntry>() : LoadAllProducts(path, m_systemFormat));
    m_codesVersion = version;
    return *m_codes;
}
