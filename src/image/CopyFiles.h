#pragma once
// The names of a recovery copy's files, in one place: copy <name> is
// "<pid>-<n>" (the writing process and its n-th copy), its note <name>.txt,
// its images <name>.1.mgw and <name>.2.mgw taking turns, its lock <name>.lock.
#include <QString>

namespace modLumentorMGW {

QString CopyName(qint64 pid, int n);
QString CopyNoteFile(const QString &name);
QString CopyLockFile(const QString &name);
// The image file the note does not name now: the next write goes there.
QString NextCopyImage(const QString &name, const QString &current);
// Whether file is a copy's image file ("12-1.2.mgw").
bool IsCopyImage(const QString &file);
// The copy a file in the folder belongs to; empty for another file.
QString CopyNameOf(const QString &file);

} // namespace modLumentorMGW
