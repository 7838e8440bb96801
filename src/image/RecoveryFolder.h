#pragma once
// Where the recovery copies of unsaved images live: the user's state folder,
// never beside the map files.
#include <QString>

namespace modLumentorMGW {

// "LumentorMGW/Recovery" in $XDG_STATE_HOME (~/.local/state when unset) on
// Linux; in the local application data folder (%LOCALAPPDATA%) on Windows.
QString RecoveryFolder();

} // namespace modLumentorMGW
