#pragma once
// Writing a file as a whole: the map file, the listing and the recovery
// copies are all written this way. As a rule the file is replaced atomically, so a failed write
// never leaves a damaged or half-written file.
#include <QByteArray>
#include <QString>

namespace modLumentorMGW {

// How far a write is synced before it counts as done. The new file always
// is before it takes the name, so a power cut leaves the old file or the
// new one. FileAndFolder makes a failed sync fail the write, and syncs the
// folder after, so that the new name itself survives a power cut: a
// recovery copy needs that; a map file's save keeps its speed, and the file
// system commits the name within seconds.
enum class Synced { File, FileAndFolder };

// Replaces path with bytes atomically, keeping an existing file's owner and
// permissions, synced as `synced` says. On failure the file on disk keeps
// its old content (or stays missing), no temporary file is left, the result
// is false and *reason says why in words ("No space left on device"). A
// file with more than one hard link, in a folder that refuses the new file
// while the file itself is writable, or whose owner the new file cannot
// take, is written in place instead (its other names see the new content);
// a failure there can leave it damaged.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr,
                    Synced synced = Synced::File);

} // namespace modLumentorMGW
