#pragma once

#include <QTemporaryDir>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

// Runs a program with its arguments, without a shell in between, and waits
// for it; throws when it cannot start or does not end with status 0.
// `quiet` sends its standard output to /dev/null.
inline void RunProgram(const std::vector<std::string>& arguments, bool quiet)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet)
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed");
}

// The catalogue folder a benchmark measures: the one named as its first
// argument, or else a demo catalogue of `products` products that `generator`
// makes in `scratch`.
inline std::filesystem::path BenchCatalogueFolder(int argc, char** argv,
                                                  const QTemporaryDir& scratch,
                                                  const char* generator, int products)
{
    if (argc > 1)
        return argv[1];
    const std::filesystem::path folder = scratch.path().toStdString();
    RunProgram({generator, folder.string(), std::to_string(products)}, true);
    return folder;
}
