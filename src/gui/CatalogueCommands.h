#pragma once

#include "core/seams/Interaction.h"
#include "core/seams/Seams.h"
#include "core/text/NumberFormat.h"

#include <QObject>
#include <string>

class Catalogue;
class Prices;
class Settings;

// Where the catalogue comes from and what its prices are: loading and
// filtering it, choosing its file, the euro rate and the check for a newer
// catalogue. After every load or new rate catalogueChanged asks the views to
// show it.
class CatalogueCommands : public QObject
{
    Q_OBJECT
public:
    CatalogueCommands(Settings& settings, Catalogue& catalogue, Prices& prices, Seams seams,
                      const TFormatSettings& systemFormat, QObject* parent);

    void askEuroRate();
    // `filter` is a name filter (Windows-1251); empty for the whole catalogue.
    void loadCatalogue(const std::string& filter);
    void chooseCatalogueFile();
    // From here on the file dialog offers only catalogue files.
    void offerCatalogueFilesOnly();
    void checkForUpdates(bool silent);

Q_SIGNALS:
    void catalogueChanged();

private:
    Settings& m_settings;
    Catalogue& m_catalogue;
    Prices& m_prices;
    Seams m_seams;
    TFormatSettings m_systemFormat;
    TFormatSettings m_dotNumberFormat;
    FileDialogOptions m_catalogueFileDialog;
};
