#pragma once
// What happened to the line besides commands and replies (a retry, the
// port going away and coming back), for whoever keeps a record of the line.
#include <QString>

#include <functional>

namespace modLumentorMGW {

using LineEventSink = std::function<void(const QString &event)>;

// Tells the installed sink; nothing is kept when none is installed.
void NoteLineEvent(const QString &event);

// Installs sink (empty: none) and returns the one it replaces.
LineEventSink SetLineEventSink(LineEventSink sink);

} // namespace modLumentorMGW
