#pragma once
// What a name leads to, asked before a file is read or replaced: only a
// regular file is ever read as a map or a listing, and only a regular file
// (or none yet) is ever replaced. A device, a FIFO or a socket would block,
// never end, or be swapped for a plain file that takes its name.
#include <QString>

namespace modLumentorMGW {

enum class FileKind { None, Regular, Folder, Other };

// Links followed: a link to a device is a device.
FileKind KindOf(const QString &path);

// True when path may be written as a whole file: a regular file, or nothing
// yet. Else false with *reason: "It is a folder." or "It is not a regular file."
bool RegularOrNew(const QString &path, QString *reason = nullptr);

// True when path is a regular file to read. Else false with *reason: the
// two above, or "No such file or directory".
bool RegularToRead(const QString &path, QString *reason = nullptr);

// One file whatever leads to it: a hard or symbolic link, or a name of
// another letter case where the folder ignores case.
bool SameFile(const QString &a, const QString &b);

} // namespace modLumentorMGW
