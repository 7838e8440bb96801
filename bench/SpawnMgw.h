#pragma once
// The real mgw started as a user would, its output discarded, waited for.
#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

// Wall time in ms, -1 when it could not start; *status its exit, *used the
// child's processor time, *started and *ended when it ran.
inline double SpawnMgw(std::vector<std::string> arguments, int *status, rusage *used = nullptr,
                       std::chrono::steady_clock::time_point *started = nullptr,
                       std::chrono::steady_clock::time_point *ended = nullptr)
{
    arguments.insert(arguments.begin(), MGW_PROGRAM);
    std::vector<char *> argv;
    for (std::string &a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!spawned)
        return -1;
    rusage none{};
    wait4(pid, status, 0, used ? used : &none);
    const auto end = std::chrono::steady_clock::now();
    if (started)
        *started = start;
    if (ended)
        *ended = end;
    return std::chrono::duration<double, std::milli>(end - start).count();
}
