// The whole program at work on a catalogue of 100,000 products: start-up
// (in this process and as the real executable), catalogue load and filter,
// grid fill, the type-ahead search, an order of 1,000 lines, picture display
// and the peak memory. Every figure stands beside a baseline measured in the
// same run and, where there is one, its target. Runs on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
//
//   workflow_bench                         all measurements
//   workflow_bench --memory DB PICTURES/   (used by the memory measurement)

#include "core/text/NumberFormat.h"
#include "workflow/BenchCatalogue.h"
#include "workflow/BenchReport.h"
#include "workflow/BenchSession.h"
#include "workflow/Measurements.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdio>
#include <exception>
#include <string_view>
#include <unistd.h>

int main(int argc, char* argv[])
{
    using namespace Bench;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // As the program entry does: the preview's HTML engine runs without its
    // sandbox under the root account.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication application(argc, argv);

    try {
        if (argc == 4 && std::string_view(argv[1]) == "--memory")
            return MemoryChild({QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])});

        QTemporaryDir folder;
        std::printf("writing the catalogues and pictures...\n");
        const CatalogueFolder large =
            MakeCatalogueFolder(folder.filePath(QStringLiteral("large")), kProducts);
        const CatalogueFolder small =
            MakeCatalogueFolder(folder.filePath(QStringLiteral("small")), 1, large.Pictures);
        std::printf("median of %d runs unless said otherwise; ratio = baseline time / time\n",
                    kRuns);

        MeasureMemory(large, small);
        MeasureRealProgram(large, small);
        const Profile profile;
        MeasureStartup(profile, large, small);
        Session session(profile, large);
        MeasureCatalogue(session, large);
        MeasureGridFill(session);
        MeasureSearch(session);
        MeasureOrder(session, profile);
        MeasurePictures(session, large);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "workflow_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
