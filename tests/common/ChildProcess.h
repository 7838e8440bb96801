#pragma once
// Refusals made real for whoever runs the tests. Root ignores permissions,
// so a test that needs a refusal runs its body in a forked child that drops
// to the unprivileged user "nobody"; the test process keeps its identity.
// The child reports back in text.
#include <cerrno>
#include <cstring>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Runs body in a child process and returns what it returned.
inline std::string InChild(const std::function<std::string()> &body)
{
    int fds[2];
    if (pipe(fds) != 0)
        return "pipe failed";
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string out = body();
        [[maybe_unused]] ssize_t n = write(fds[1], out.data(), out.size());
        _exit(0);
    }
    close(fds[1]);
    std::string out;
    char buffer[512];
    ssize_t n = 0;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, size_t(n));
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return out;
}

// In a child: root becomes nobody; anyone else is bound by permissions already.
// Empty on success, else why not.
inline std::string BecomeUnprivileged()
{
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
        return std::string("becoming nobody: ") + std::strerror(errno);
    return {};
}
