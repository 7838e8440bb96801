#include "image/LeftCopies.h"

#include "image/MapFile.h"
#include "image/RecoveryFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QRegularExpression>

#include <algorithm>

namespace modLumentorMGW {

namespace {
const QString DamagedFolder = QStringLiteral("Damaged");

// Every file of copy <name>: its note, images and any temporary file a
// write stopped part way left behind; never a lock.
QStringList filesOf(const QDir &folder, const QString &name)
{
    QStringList files = folder.entryList({name + QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::System);
    files.removeIf([](const QString &file) { return file.endsWith(QLatin1String("lock")); });
    return files;
}

// The image's bytes, or empty with *why.
QByteArray readImage(const QString &path, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("its image %1 cannot be read: %2").arg(path, file.errorString());
        return {};
    }
    const QByteArray bytes = file.read(MapFileSize + 1);
    if (bytes.size() != MapFileSize) {
        *why = QStringLiteral("its image holds %1 bytes; a copy holds %2").arg(bytes.size()).arg(MapFileSize);
        return {};
    }
    return bytes;
}

// Moved as a whole into Damaged, under a name no earlier copy there has.
// Empty with *stuck when a file could not be moved.
QString setAside(const QDir &folder, const QString &name, QString *stuck)
{
    const QString to = folder.filePath(DamagedFolder);
    if (!MakeFolder(to, stuck))
        return QString();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-"));
    for (const QString &file : filesOf(folder, name)) {
        QFile moved(folder.filePath(file));
        if (!moved.rename(folder.filePath(DamagedFolder + QLatin1Char('/') + stamp + file))) {
            *stuck = moved.errorString();
            return QString();
        }
    }
    return to;
}

// Takes the lock of a window that had this very process's id (routine in
// containers, where a program gets the same small id at every start): the
// lock names a live process, this one, though no window here holds it. One
// held here keeps its file locked, so removing it fails.
bool takeOwnIdLock(QLockFile &lock)
{
    qint64 pid = 0;
    QString host, program;
    return lock.error() == QLockFile::LockFailedError && lock.getLockInfo(&pid, &host, &program)
        && pid == QCoreApplication::applicationPid() && host == QSysInfo::machineHostName()
        && lock.removeStaleLockFile() && lock.tryLock(0);
}

} // namespace

std::vector<LeftCopy> ClaimLeftCopies(const QString &path, std::vector<DamagedCopy> *damaged,
                                      UnclaimedCopies *unclaimed)
{
    const QDir folder(path);
    static const QRegularExpression copyFile(QStringLiteral("^([0-9]+-[0-9]+)\\."));
    QStringList names;   // in order, so damaged copies are named in order
    for (const QString &file : folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        if (const QRegularExpressionMatch match = copyFile.match(file); match.hasMatch())
            names << match.captured(1);
    }
    names.removeDuplicates();

    std::vector<LeftCopy> copies;
    for (const QString &name : names) {
        auto lock = std::make_unique<QLockFile>(folder.filePath(name + QStringLiteral(".lock")));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0) && !takeOwnIdLock(*lock)) {
            // Its window runs (maybe in this very program), or the folder
            // refuses the lock: then the copy is there but cannot be offered.
            const bool refused = lock->error() != QLockFile::LockFailedError || !QFileInfo(path).isWritable();
            if (refused && unclaimed && QFileInfo::exists(folder.filePath(name + QStringLiteral(".txt")))) {
                ++unclaimed->count;
                unclaimed->why = lock->error() == QLockFile::UnknownError ? QStringLiteral("its lock cannot be taken")
                                                                          : QStringLiteral("Permission denied");
            }
            continue;
        }
        const QString notePath = folder.filePath(name + QStringLiteral(".txt"));
        QFile noteFile(notePath);
        if (!noteFile.exists()) {
            RemoveCopyFiles(path, name);   // stopped before its first note: nothing was described
            continue;
        }
        QString why;
        LeftCopy copy{name, {}, {}, std::move(lock)};
        if (!noteFile.open(QIODevice::ReadOnly))
            why = QStringLiteral("its note cannot be read: ") + noteFile.errorString();
        else {
            copy.note = RecoveryNote::Parse(noteFile.read(65536), &why);
            if (!why.isEmpty())
                why = QStringLiteral("its note has ") + why;
            else if (!copy.note.image.startsWith(name + QLatin1Char('.')))
                why = QStringLiteral("its note names another copy's image");
        }
        if (why.isEmpty())
            copy.image = readImage(folder.filePath(copy.note.image), &why);
        if (why.isEmpty())
            copies.push_back(std::move(copy));
        else {
            QString stuck;
            const QString to = setAside(folder, name, &stuck);
            damaged->push_back({notePath, why, to, stuck});
        }
    }
    std::sort(copies.begin(), copies.end(),
              [](const LeftCopy &a, const LeftCopy &b) { return a.note.time > b.note.time; });
    return copies;
}

void RemoveCopyFiles(const QString &path, const QString &name)
{
    const QDir folder(path);
    // The note first: a copy without its note is no copy, whatever stays.
    QFile::remove(folder.filePath(name + QStringLiteral(".txt")));
    for (const QString &file : filesOf(folder, name))
        QFile::remove(folder.filePath(file));
}

} // namespace modLumentorMGW
