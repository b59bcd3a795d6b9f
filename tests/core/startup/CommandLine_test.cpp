#include "core/Version.h"
#include "core/startup/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, AnswersOrNamesTheFileToOpen)
{
    const struct
    {
        QStringList arguments;
        bool runProgram;
        int exitCode;
        QString orderFile;
        QString output; // a part of the standard output, or of the error output on exit code 1
    } cases[] = {
        {{}, true, 0, {}, {}},
        {{QStringLiteral("заказ.order")}, true, 0, QStringLiteral("/home/u/заказ.order"), {}},
        {{QStringLiteral("../a/./b.order")}, true, 0, QStringLiteral("/home/a/b.order"), {}},
        {{QStringLiteral("/tmp/x.order")}, true, 0, QStringLiteral("/tmp/x.order"), {}},
        {{QStringLiteral("--version")},
         false,
         0,
         {},
         QStringLiteral("pelmora %1\n").arg(QString::fromLatin1(kProgramVersion))},
        {{QStringLiteral("--help")},
         false,
         0,
         {},
         QStringLiteral("pelmora [options] [файл.order]")},
        {{QStringLiteral("--help-all")}, false, 0, {}, QStringLiteral("[файл.order]")},
        {{QStringLiteral("-h")}, false, 0, {}, QStringLiteral("--version")},
        {{QStringLiteral("--print")}, false, 1, {}, QStringLiteral("print")},
        {{QStringLiteral("a.order"), QStringLiteral("b.order")},
         false,
         1,
         {},
         QStringLiteral("только один файл")},
    };
    for (const auto& c : cases) {
        const CommandLineRequest request = ParseCommandLine(
            QStringList{QStringLiteral("pelmora")} + c.arguments, QStringLiteral("/home/u"));
        const QString what = c.arguments.join(u' ');
        EXPECT_EQ(request.runProgram, c.runProgram) << what.toStdString();
        EXPECT_EQ(request.exitCode, c.exitCode) << what.toStdString();
        EXPECT_EQ(request.orderFile, c.orderFile) << what.toStdString();
        const QString& output = c.exitCode == 0 ? request.standardOutput : request.standardError;
        EXPECT_TRUE(output.contains(c.output)) << output.toStdString();
    }
}

} // namespace
