#pragma once
// Refusals made real for whoever runs the tests. Root ignores permissions,
// so a test that needs a refusal runs its body in a forked child that drops
// to the unprivileged user "nobody", or that mounts a small file system in a
// mount namespace of its own; the test process keeps its identity and sees
// none of those mounts. The child reports back in text.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <grp.h>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
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
        close(fds[0]);
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

inline std::string Why(const char *what) { return std::string(what) + ": " + std::strerror(errno); }

// In a child: root becomes nobody; anyone else is bound by permissions already.
// Empty on success, else why not.
inline std::string BecomeUnprivileged()
{
    if (geteuid() != 0)
        return {};
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
        return Why("becoming nobody");
    return {};
}

// The mount point that holds path, as this process sees its file system.
inline std::string MountPointOf(const std::string &path)
{
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    std::string best = "/";
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        fields >> id >> parent >> device >> root >> point;
        if (path.compare(0, point.size(), point) == 0 && point.size() > best.size()
            && (path.size() == point.size() || path[point.size()] == '/'))
            best = point;
    }
    return best;
}

// In a child: a mount namespace of its own (in a user namespace of its own
// when allowed, so no mount can reach the parent's), with a tmpfs of `bytes`
// on `folder`. Empty on success, else why not.
inline std::string MountSmallTmpfs(const std::string &folder, size_t bytes)
{
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    auto put = [](const char *file, const std::string &text) {
        const int fd = open(file, O_WRONLY);
        const bool done = fd >= 0 && write(fd, text.data(), text.size()) == ssize_t(text.size());
        if (fd >= 0)
            close(fd);
        return done;
    };
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0) {
        put("/proc/self/setgroups", "deny");
        if (!put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1")
            || !put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            return Why("mapping the user");
    } else if (uid != 0 || unshare(CLONE_NEWNS) != 0) {
        return Why("a mount namespace of its own");
    } else if (mount(nullptr, MountPointOf(folder).c_str(), nullptr, MS_PRIVATE, nullptr) != 0) {
        return Why("a private mount"); // root in a chroot: no user namespace, so no mount may propagate
    }
    const std::string size = "size=" + std::to_string(bytes);
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, size.c_str()) != 0)
        return Why("mounting a small tmpfs");
    return {};
}
