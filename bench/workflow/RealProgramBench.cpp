#include "BenchReport.h"
#include "BenchSession.h"
#include "Measurements.h"
#include "support/LoopbackHttpServer.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace Bench {

namespace {

// The real executable, started on a private profile with a loopback proxy
// that plays the rates page (so no prompt blocks the start) and answers the
// update check with nothing new. The start-up sequence has run when the
// update file is asked for: that request is its last step, right before the
// window appears.
struct RealStart
{
    double RatesRequestMs = -1;  // process start to the rates request
    double UpdateRequestMs = -1; // process start to the update check
    long PeakKb = 0;             // ru_maxrss
    long PeakHwmKb = 0;          // VmHWM
};

RealStart StartRealProgram(const CatalogueFolder& catalogue)
{
    const Profile profile;
    profile.Prepare(catalogue);
    RealStart result;
    std::mutex mutex;
    Clock::time_point started;
    Clock::time_point rates{};
    Clock::time_point update{};
    LoopbackHttpServer proxy(
        [&](const std::string& head) -> std::optional<std::string> {
            const auto now = Clock::now();
            const std::lock_guard lock(mutex);
            if (head.find("/currency_base/daily.aspx") != std::string::npos) {
                rates = now;
                return LoopbackHttpServer::Response(
                    200, "OK",
                    "<table><tr><td>978</td><td>EUR</td><td>1</td><td>Евро</td>"
                    "<td>98,5000</td></tr></table>");
            }
            update = now;
            return LoopbackHttpServer::Response(404, "Not Found", "");
        },
        std::chrono::seconds(120));

    std::vector<std::string> environment = {
        "HOME=" + profile.Path("home").toStdString(),
        "XDG_CONFIG_HOME=" + profile.Path("config").toStdString(),
        "XDG_DATA_HOME=" + profile.Path("data").toStdString(),
        "XDG_RUNTIME_DIR=" + profile.Path("runtime").toStdString(),
        "PATH=/usr/bin:/bin",
        "LANG=C.UTF-8",
        "QT_QPA_PLATFORM=offscreen",
        "http_proxy=http://127.0.0.1:" + std::to_string(proxy.Port()),
    };
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = PELMORA_EXECUTABLE;
    char* argv[] = {program.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    started = Clock::now();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);

    const auto deadline = Clock::now() + std::chrono::seconds(60);
    for (;;) {
        {
            const std::lock_guard lock(mutex);
            if (update != Clock::time_point{})
                break;
        }
        if (Clock::now() > deadline || waitpid(pid, nullptr, WNOHANG) == pid)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // Time to show and paint the window before the program is ended.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    result.PeakHwmKb = ProcStatusKb(std::to_string(pid), "VmHWM:");
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.PeakKb = usage.ru_maxrss;
    const std::lock_guard lock(mutex);
    if (rates != Clock::time_point{})
        result.RatesRequestMs = Milliseconds(rates - started);
    if (update != Clock::time_point{})
        result.UpdateRequestMs = Milliseconds(update - started);
    return result;
}

// Helper processes of the HTML engine that outlive the program they served
// are this bench's to collect: it is their subreaper.
void ReapOrphans()
{
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        const pid_t pid = waitpid(-1, nullptr, WNOHANG);
        if (pid < 0)
            return; // no children left
        if (pid == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace

void MeasureRealProgram(const CatalogueFolder& large, const CatalogueFolder& small)
{
    Heading("The real executable, offscreen, loopback proxy playing the rates page");
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    std::vector<RealStart> bigRuns;
    std::vector<RealStart> oneRuns;
    for (int i = 0; i < 3; ++i) {
        bigRuns.push_back(StartRealProgram(large));
        ReapOrphans();
        oneRuns.push_back(StartRealProgram(small));
        ReapOrphans();
    }
    const auto median = [](const std::vector<RealStart>& runs, double RealStart::*field) {
        std::vector<double> values;
        for (const RealStart& r : runs)
            values.push_back(r.*field);
        return Median(values);
    };
    Figure("first run: to the rates request, 100,000 products", bigRuns[0].RatesRequestMs);
    Figure("first run: to the update check (end of start-up)", bigRuns[0].UpdateRequestMs);
    Figure("median: to the rates request, 100,000 products",
           median(bigRuns, &RealStart::RatesRequestMs));
    Figure("median: to the update check, 100,000 products",
           median(bigRuns, &RealStart::UpdateRequestMs));
    Figure("median: to the rates request, 1 product", median(oneRuns, &RealStart::RatesRequestMs));
    Figure("median: to the update check, 1 product (baseline)",
           median(oneRuns, &RealStart::UpdateRequestMs));
    for (const auto* runs : {&bigRuns, &oneRuns}) {
        for (const RealStart& run : *runs) {
            if (run.RatesRequestMs < 0 || run.UpdateRequestMs < 0)
                std::printf("  A RUN DID NOT REACH THE END OF ITS START-UP (prompt or failure)\n");
        }
    }
    std::printf("  %-52s %6.1f / %6.1f MB\n", "peak memory, 100,000 products (ru_maxrss / VmHWM)",
                bigRuns[0].PeakKb / 1024.0, bigRuns[0].PeakHwmKb / 1024.0);
    std::printf("  %-52s %6.1f / %6.1f MB\n", "peak memory, 1 product (ru_maxrss / VmHWM)",
                oneRuns[0].PeakKb / 1024.0, oneRuns[0].PeakHwmKb / 1024.0);
}

} // namespace Bench
