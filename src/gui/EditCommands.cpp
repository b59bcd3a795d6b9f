#include "gui/EditCommands.h"

#include "core/catalogue/ArticleCodeIndex.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/order/OrderHistory.h"
#include "core/text/Cp1251.h"
#include "gui/ErrorHandler.h"
#include "gui/OrderView.h"
#include "gui/PasteListDialog.h"

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <chrono>

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
    readCatalogueCodes();
    PasteListDialog dialog(m_order, m_history, m_seams.ui, m_window);
    dialog.setListText(QGuiApplication::clipboard()->text());
    giveCodesWhenRead(dialog);
    dialog.exec();
    if (dialog.addedLines() > 0)
        m_view.refill();
    refresh();
}

void EditCommands::readCatalogueCodes()
{
    const std::string path = m_catalogue.databasePath();
    const QDateTime written = QFileInfo(FromCp1251(path)).lastModified();
    std::string version =
        path + '\n' + m_catalogue.timeStamp() + '\n' + std::to_string(written.toMSecsSinceEpoch());
    if (m_codes.valid() && version == m_codesVersion)
        return;
    m_codesVersion = std::move(version);
    // The whole file is read, whatever name filter the catalogue in view has.
    m_codes = std::async(std::launch::async, [path, format = m_systemFormat] {
                  return std::make_shared<const ArticleCodeIndex>(
                      path.empty() ? std::vector<CatalogueEntry>() : LoadAllProducts(path, format));
              }).share();
}

void EditCommands::giveCodesWhenRead(PasteListDialog& dialog)
{
    const auto give = [this, &dialog] {
        try {
            dialog.setCatalogue(*m_codes.get());
        } catch (...) {
            m_codesVersion.clear(); // the next paste reads the file again
            throw;
        }
    };
    // A small catalogue is read before the dialog shows; a large one fills
    // the table once it is read, the dialog taking the user's typing meanwhile.
    if (m_codes.wait_for(std::chrono::milliseconds(150)) == std::future_status::ready) {
        give();
        return;
    }
    auto* poll = new QTimer(&dialog);
    connect(poll, &QTimer::timeout, &dialog, [this, poll, &dialog, give] {
        if (m_codes.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return;
        poll->stop();
        bool given = false;
        Guarded(m_seams.ui, [&] {
            give();
            given = true;
        });
        if (!given)
            dialog.reject();
    });
    poll->start(20);
}
