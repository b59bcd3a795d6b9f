#include "core/startup/CommandLine.h"

#include "core/Version.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

constexpr char kProgramName[] = "pelmora";
constexpr char kFileArgument[] = "файл";
constexpr char kFileDescription[] = "Файл заказа (*.order), который нужно открыть.";
constexpr char kFileSyntax[] = "[файл.order]";
constexpr char kTooManyFiles[] = "Можно указать только один файл заказа.";

CommandLineRequest Answer(int exitCode, const QString& output, const QString& error = {})
{
    CommandLineRequest request;
    request.runProgram = false;
    request.exitCode = exitCode;
    request.standardOutput = output;
    request.standardError = error;
    return request;
}

} // namespace

CommandLineRequest ParseCommandLine(const QStringList& arguments, const QString& workingFolder)
{
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QString::fromUtf8(kFileArgument),
                                 QString::fromUtf8(kFileDescription),
                                 QString::fromUtf8(kFileSyntax));

    if (!parser.parse(arguments))
        return Answer(1, {}, parser.errorText() + u'\n');
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Before the application object exists the parser cannot name the
        // program in its usage line.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QString::fromLatin1(kProgramName));
        return Answer(0, text);
    }
    if (parser.isSet(version))
        return Answer(0, QString::fromLatin1(kProgramName) + u' ' +
                             QString::fromLatin1(kProgramVersion) + u'\n');

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return Answer(1, {}, QString::fromUtf8(kTooManyFiles) + u'\n');
    CommandLineRequest request;
    if (!files.isEmpty() && !files.front().isEmpty())
        request.orderFile = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(files.front()));
    return request;
}
