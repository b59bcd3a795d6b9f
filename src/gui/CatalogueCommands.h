#pragma once

#include "core/seams/Interaction.h"
#include "core/text/NumberFormat.h"

#include <QObject>
#include <string>

class SettingsFiles;

// Where the catalogue comes from and what its prices are: loading and
// filtering it, choosing its file, the euro rate and the check for a newer
// catalogue. The catalogue is the one in the shared state; after every load
// or new rate catalogueChanged asks the views to show it.
class CatalogueCommands : public QObject
{
    Q_OBJECT
public:
    CatalogueCommands(SettingsFiles& settings, QObject* parent);

    // The rate from the central bank, or else as the user gives it; stored.
    void obtainEuroRate();
    void askEuroRate();
    // The catalogue file, its picture folder and the updates page from the
    // settings, with the defaults under the home folder where none is stored.
    void resolveCataloguePaths();
    // `filter` is a name filter (Windows-1251); empty for the whole catalogue.
    void loadCatalogue(const std::string& filter);
    void chooseCatalogueFile();
    // From here on the file dialog offers only catalogue files.
    void offerCatalogueFilesOnly();
    void checkForUpdates(bool silent);

Q_SIGNALS:
    void catalogueChanged();

private:
    SettingsFiles& m_settings;
    TFormatSettings m_dotNumberFormat;
    FileDialogOptions m_catalogueFileDialog;
};
