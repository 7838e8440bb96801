#pragma once
// Benchmarks run the real window headless, with the home folder (where the
// window makes its default folder) in a temporary directory. Call before
// the QApplication is made.
#include <QFile>
#include <QTemporaryDir>

namespace bench {

inline void PrepareHeadless(const QTemporaryDir &home)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", QFile::encodeName(home.path()));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()));
}

} // namespace bench
