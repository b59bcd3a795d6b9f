#include "PrivateDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace RestBench {

namespace {

// Xvfb writes its display number to the pipe once it accepts clients.
std::string ReadDisplayNumber(int fd)
{
    std::string number;
    char c = 0;
    pollfd wait{fd, POLLIN, 0};
    while (poll(&wait, 1, 20000) > 0 && read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    return number;
}

} // namespace

PrivateDisplay::PrivateDisplay()
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string fd = std::to_string(pipeFds[1]);
    std::vector<std::string> arguments = {"Xvfb",         "-displayfd", fd,    "-screen", "0",
                                          "1280x1024x24", "-nolisten",  "tcp", "-noreset"};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawnp(&m_server, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    const std::string number = spawned == 0 ? ReadDisplayNumber(pipeFds[0]) : std::string();
    close(pipeFds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start (is it installed?)");
    m_name = ":" + number;
    m_display = XOpenDisplay(m_name.c_str());
    if (m_display == nullptr)
        throw std::runtime_error("cannot connect to " + m_name);
    XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
    XSync(m_display, False);
}

PrivateDisplay::~PrivateDisplay()
{
    if (m_display != nullptr)
        XCloseDisplay(m_display);
    if (m_server > 0) {
        kill(m_server, SIGTERM);
        waitpid(m_server, nullptr, 0);
    }
}

void PrivateDisplay::forgetWindows()
{
    XSync(m_display, True);
}

std::optional<Clock::time_point> PrivateDisplay::waitForWindow(const std::string& title,
                                                               Clock::time_point deadline)
{
    while (Clock::now() < deadline) {
        if (XPending(m_display) == 0) {
            pollfd wait{ConnectionNumber(m_display), POLLIN, 0};
            poll(&wait, 1, 5);
            continue;
        }
        XEvent event;
        XNextEvent(m_display, &event);
        const auto seen = Clock::now();
        if (event.type == MapNotify && !event.xmap.override_redirect &&
            titleOf(event.xmap.window) == title)
            return seen;
    }
    return std::nullopt;
}

std::string PrivateDisplay::titleOf(unsigned long window) const
{
    const Atom netName = XInternAtom(m_display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(m_display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return title;
}

} // namespace RestBench
