#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace RestBench {

namespace {

long StatusKb(pid_t pid, const std::string& key)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    }
    return 0;
}

// Every process of the system with its parent.
std::multimap<pid_t, pid_t> ChildrenByParent()
{
    std::multimap<pid_t, pid_t> children;
    DIR* proc = opendir("/proc");
    if (proc == nullptr)
        return children;
    while (const dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0)
            continue;
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        // The name in parentheses may hold blanks; the parent follows the state.
        const auto close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(text.substr(close + 1));
        std::string state;
        pid_t parent = 0;
        rest >> state >> parent;
        children.emplace(parent, pid);
    }
    closedir(proc);
    return children;
}

pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
    std::vector<std::string> args = arguments;
    std::vector<std::string> env = environment;
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (std::string& argument : args)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    return pid;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment)
    : m_pid(Spawn(arguments, environment))
{}

ChildProcess::~ChildProcess()
{
    kill(-m_pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (waitpid(m_pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(-m_pid, SIGKILL); // helpers that outlive the program
}

bool ChildProcess::running() const
{
    return waitpid(m_pid, nullptr, WNOHANG) == 0;
}

long ChildProcess::residentKb() const
{
    return StatusKb(m_pid, "VmRSS:");
}

long ChildProcess::peakResidentKb() const
{
    return StatusKb(m_pid, "VmHWM:");
}

std::vector<pid_t> ChildProcess::tree() const
{
    const std::multimap<pid_t, pid_t> children = ChildrenByParent();
    std::vector<pid_t> found = {m_pid};
    for (std::size_t i = 0; i < found.size(); ++i) {
        const auto [first, last] = children.equal_range(found[i]);
        for (auto it = first; it != last; ++it)
            found.push_back(it->second);
    }
    return found;
}

long ChildProcess::treeResidentKb() const
{
    long total = 0;
    for (const pid_t pid : tree())
        total += StatusKb(pid, "VmRSS:");
    return total;
}

int ChildProcess::treeSize() const
{
    return static_cast<int>(tree().size());
}

void RunToEnd(const std::vector<std::string>& arguments,
              const std::vector<std::string>& environment)
{
    const pid_t pid = Spawn(arguments, environment);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed");
}

} // namespace RestBench
