#pragma once
// The program's one settings file, for what the window keeps between runs
// (the port chosen last, where the point overview stood). Made anew at each
// use: QSettings reads and writes its file on its own.
#include <QSettings>

namespace modLumentorMGW {

inline QSettings ProgramSettings()
{
    return QSettings(QSettings::UserScope, QStringLiteral("LumentorMGW"), QStringLiteral("LumentorMGW"));
}

} // namespace modLumentorMGW
