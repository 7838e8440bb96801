#pragma once
// The default folder for map files: "C:\Arvane Lumentor Mapped Gateway" on
// Windows, "Arvane Lumentor Mapped Gateway" in the home folder elsewhere.
#include <QString>

namespace modLumentorMGW {

// The folder's path, with the platform's separators.
QString DefaultFolder();

// The file dialogs' first pattern: the folder plus "*.MGW".
QString DefaultFilePattern();

} // namespace modLumentorMGW
