#pragma once
// What the program keeps between runs (where the point overview was, the
// port chosen last): one INI file in the user's configuration folder.
#include <QSettings>

namespace modLumentorMGW {

inline QSettings ProgramSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("LumentorMGW"),
                     QStringLiteral("LumentorMGW"));
}

} // namespace modLumentorMGW
