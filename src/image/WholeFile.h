#pragma once
// Writing a file as a whole: the map file and the listing are both written
// this way. As a rule the file is replaced atomically, so a failed write
// never leaves a damaged or half-written file.
#include <QByteArray>
#include <QString>

namespace modLumentorMGW {

// Replaces path with bytes atomically, keeping an existing file's owner and
// permissions. The new file is synced to disk before it takes the name, and
// its folder after, so a power cut leaves the old file or the new one. On
// failure the file on disk keeps its old content (or stays missing), no
// temporary file is left, the result is false and *reason says why in
// words ("No space left on device"). A file with more than one hard
// link, in a folder that refuses the new file while the file itself is
// writable, or whose owner the new file cannot take, is written in place
// instead (its other names see the new content); a failure there can leave
// it damaged.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr);

} // namespace modLumentorMGW
