#include "BenchReport.h"
#include "BenchSession.h"
#include "Measurements.h"
#include "gui/MainWindow.h"

#include <QCoreApplication>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <stdexcept>

namespace Bench {

namespace {

// ru_maxrss and the kernel's high-water mark of the process's own memory
// (VmHWM), after the start-up and after the order.
struct MemoryFigures
{
    long AfterStartKb = 0;
    long AfterStartHwmKb = 0;
    long AfterOrderKb = 0;
    long AfterOrderHwmKb = 0;
};

MemoryFigures MemoryOf(const CatalogueFolder& catalogue)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory"), catalogue.Database, catalogue.Pictures});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        throw std::runtime_error("the memory run failed: " +
                                 child.readAllStandardError().toStdString());
    MemoryFigures figures;
    std::sscanf(child.readAllStandardOutput().constData(), "%ld %ld %ld %ld", &figures.AfterStartKb,
                &figures.AfterStartHwmKb, &figures.AfterOrderKb, &figures.AfterOrderHwmKb);
    return figures;
}

} // namespace

// One start-up and order in a fresh process, so that nothing else measured
// here counts in its peak.
int MemoryChild(const CatalogueFolder& catalogue)
{
    const Profile profile;
    Session session(profile, catalogue);
    const long afterStart = PeakResidentKb();
    const long afterStartHwm = ProcStatusKb("self", "VmHWM:");
    // The first product's pictures, as a selection shows them.
    auto* grid = session.Find<QTableView>("sg1");
    const QModelIndex first = grid->model()->index(0, 0);
    grid->setCurrentIndex(first);
    Q_EMIT grid->clicked(first);
    const auto* delay = session.Find<QTimer>("Timer1");
    while (delay->isActive())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    MakeOrder(session, kOrderLines);
    session.Form1->showOrder();
    // A change, so that the save writes the file.
    session.Order.changeQuantity(0, session.Order.lines()[0].Quantity);
    session.Ui.SaveAnswers = {profile.Path("home/m.order")};
    session.Find<QPushButton>("Button3")->click();
    session.Ui.OpenAnswers = {profile.Path("home/m.order")};
    session.Find<QPushButton>("Button2")->click();
    session.CompleteOrderToPreview(profile.Path("home/m.html"));
    QCoreApplication::processEvents();
    std::printf("%ld %ld %ld %ld\n", afterStart, afterStartHwm, PeakResidentKb(),
                ProcStatusKb("self", "VmHWM:"));
    return 0;
}

// Linux hands a process's ru_maxrss on through fork and exec: a child's
// figure is at least its parent's peak at the fork. This runs first, while
// the bench itself is still small, and also reports VmHWM, which counts the
// child's own memory only.
void MeasureMemory(const CatalogueFolder& large, const CatalogueFolder& small)
{
    Heading("Peak memory (a fresh process each; ru_maxrss / VmHWM)");
    std::printf("  %-52s %9.1f MB\n", "this bench process when the children start",
                PeakResidentKb() / 1024.0);
    const MemoryFigures big = MemoryOf(large);
    const MemoryFigures one = MemoryOf(small);
    std::printf("  %-52s %6.1f / %6.1f MB\n", "after start-up, 100,000 products",
                big.AfterStartKb / 1024.0, big.AfterStartHwmKb / 1024.0);
    std::printf("  %-52s %6.1f / %6.1f MB\n", "after that and a 1,000-line order",
                big.AfterOrderKb / 1024.0, big.AfterOrderHwmKb / 1024.0);
    std::printf("  %-52s %6.1f / %6.1f MB\n", "after start-up and order, 1 product (baseline)",
                one.AfterOrderKb / 1024.0, one.AfterOrderHwmKb / 1024.0);
    Megabytes("the catalogue array alone (100,000 x CatalogueEntry)",
              long(kProducts * double(sizeof(CatalogueEntry)) / 1024.0));
    Verdict("below 200 MB", std::max(big.AfterOrderKb, big.AfterOrderHwmKb) < 200 * 1024);
}

} // namespace Bench
