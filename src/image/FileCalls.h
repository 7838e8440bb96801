#pragma once
// The system calls the one file writer makes where Qt loses a failure's
// cause or has no call of its own (owner, folder sync, a synced replace).
#include <QByteArray>
#include <QString>

#ifdef Q_OS_UNIX
struct stat;

namespace modLumentorMGW::filecalls {

// The error's own words ("No space left on device").
QString Reason(int error);

// Writes all of bytes at fd's position: 0, or the errno that stopped it.
int WriteAll(int fd, const QByteArray &bytes);

// The new file takes the old one's owner and permissions before it replaces it.
bool KeepOwner(int fd, const struct stat &old);

// Syncs the folder holding name, so that a rename into it survives a power cut.
void SyncFolderOf(const QByteArray &name);

} // namespace modLumentorMGW::filecalls
#else
namespace modLumentorMGW::filecalls {

// Flushes the written file `from` to the disk, then moves it over `to`
// with write-through, so that the name never leads to data still in the
// cache: Windows' own part of a synced replace. False with *reason.
bool MoveSynced(const QString &from, const QString &to, QString *reason);

} // namespace modLumentorMGW::filecalls
#endif
