#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for: `pelmora [FILE.order]`, `--help` or
// `--version`.
struct CommandLineRequest
{
    // False when the program answers on the console and exits without a window.
    bool runProgram = true;
    int exitCode = 0;
    QString standardOutput; // the help or the version
    QString standardError;  // what was wrong with the command line
    // The order file to open once the start-up sequence has run, absolute
    // (so that a running program can open it whatever its own folder);
    // empty when none was named.
    QString orderFile;
};

// `arguments` as the process got them, the program's own path first.
// Relative file names are taken from `workingFolder`.
CommandLineRequest ParseCommandLine(const QStringList& arguments, const QString& workingFolder);
