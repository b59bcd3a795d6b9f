#include "gui/CatalogueCheckCommand.h"

#include "core/catalogue/ArticleCodeIndex.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/Prices.h"
#include "core/order/CatalogueCheck.h"
#include "core/order/Order.h"
#include "gui/BusyCursor.h"
#include "gui/CatalogueCheckDialog.h"

#include <QWidget>
#include <optional>

CatalogueCheckCommand::CatalogueCheckCommand(const Catalogue& catalogue, const Prices& prices,
                                             const Order& order, OrderHistory& history,
                                             const TFormatSettings& systemFormat, QWidget* window)
    : QObject(window), m_catalogue(catalogue), m_prices(prices), m_order(order), m_history(history),
      m_format(systemFormat), m_window(window)
{}

void CatalogueCheckCommand::check()
{
    // Without lines or a catalogue file there is nothing to compare.
    if (m_order.lineCount() <= 0 || m_catalogue.databasePath().empty())
        return;
    std::optional<ArticleCodeIndex> catalogue;
    std::vector<LineDifference> differences;
    {
        BusyCursor busy;
        catalogue.emplace(LoadAllProducts(m_catalogue.databasePath(), m_format));
        differences =
            CompareWithCatalogue(m_order.lines(), *catalogue, m_prices.priceFactor(), m_format);
    }
    if (differences.empty())
        return;
    CatalogueCheckDialog dialog(differences, m_window);
    if (dialog.exec() == QDialog::Accepted && UpdateFromCatalogue(m_history, *catalogue))
        Q_EMIT orderChanged();
}
