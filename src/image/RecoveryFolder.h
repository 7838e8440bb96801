#pragma once
// Where the recovery copies of unsaved images live: the user's state folder,
// never beside the map files.
#include <QString>

namespace modLumentorMGW {

// "LumentorMGW/Recovery" in $XDG_STATE_HOME (~/.local/state when unset) on
// Linux; in the local application data folder (%LOCALAPPDATA%) on Windows.
QString RecoveryFolder();

// Makes path and the folders above it. False with *why when it cannot:
// "/home/op/state is a file, not a folder", "/home/op/state cannot be
// written (Permission denied)".
bool MakeFolder(const QString &path, QString *why);

} // namespace modLumentorMGW
