// mgw: the gateway from the command line (see Mgw.h).
#include "cli/Mgw.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

namespace {
// The first Ctrl+C cancels at the next block; a second one ends at once.
void OnInterrupt(int)
{
    if (mgw::Interrupted) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
    mgw::Interrupted = 1;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::signal(SIGINT, OnInterrupt);
    // Every failure is told in mgw's own words: no library's warning
    // reaches the terminal.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QFile in, out, err;
    in.open(stdin, QIODevice::ReadOnly);
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    const mgw::Console console{out, err, isatty(STDERR_FILENO) == 1, &in};
    return mgw::RunMgw(QCoreApplication::arguments().mid(1), console);
}
