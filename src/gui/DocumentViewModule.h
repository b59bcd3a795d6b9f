#pragma once

#include <QString>
#include <QStringList>

class DocumentViewFactory;

// Finds and loads the HTML view module. Installed, it lies in
// lib/pelmora beside the bin folder of the executable; in the build folder,
// in lib/pelmora beside the executable (the tests' executables sit one level
// below it). A loaded module stays loaded for the rest of the run.
namespace DocumentViewModule {

// The module's file name.
QString FileName();
// The folders searched, the first match wins.
QStringList DefaultFolders();

// The module's factory, or nullptr with a message for the user in `error`.
DocumentViewFactory* Load(const QStringList& folders, QString& error);

} // namespace DocumentViewModule
