#pragma once
// The program's folder for what it keeps between runs that is no document:
// the recovery copies and the commissioning record.
#include <QString>

namespace modLumentorMGW {

// "LumentorMGW" in $XDG_STATE_HOME (~/.local/state when unset or not
// absolute) on Linux; in the local application data folder (%LOCALAPPDATA%)
// on Windows.
QString StateFolder();

} // namespace modLumentorMGW
