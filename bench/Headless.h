#pragma once
// Benchmarks run the real window headless, with the home folder (where the
// window makes its default folder) and its settings in a temporary
// directory. Call before the QApplication is made.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace bench {

inline void PrepareHeadless(const QTemporaryDir &home)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", QFile::encodeName(home.path()));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()));
    // What the window keeps between runs (settings, recovery copies) stays
    // in the temporary folder too.
    qputenv("XDG_STATE_HOME", QFile::encodeName(home.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
}

} // namespace bench
