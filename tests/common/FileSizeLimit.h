#pragma once
// A file size limit under which a write fails part way (POSIX only: the
// Windows build of the tests leaves the suites that use it out).
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

// While it lives no file grows past `bytes`. SIGXFSZ stays ignored after it,
// so that the write fails instead of ending the test program.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit small{bytes, saved_.rlim_max};
        if (setrlimit(RLIMIT_FSIZE, &small) != 0)
            ADD_FAILURE() << "file size limit not set";
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};
