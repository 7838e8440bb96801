#pragma once
// Real files for tests: whole-file reads and writes, a folder's listing and
// a file size limit under which a write fails part way.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

constexpr int MapFileBytes = 262144;

inline QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every file of the folder, hidden ones included, by name: a temporary file left behind shows.
inline QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

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
