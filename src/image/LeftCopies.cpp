#include "image/LeftCopies.h"

#include "image/MapFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
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
QString setAside(const QDir &folder, const QString &name)
{
    folder.mkpath(DamagedFolder);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-"));
    for (const QString &file : filesOf(folder, name))
        QFile::rename(folder.filePath(file), folder.filePath(DamagedFolder + QLatin1Char('/') + stamp + file));
    return folder.filePath(DamagedFolder);
}
} // namespace

std::vector<LeftCopy> ClaimLeftCopies(const QString &path, std::vector<DamagedCopy> *damaged)
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
        if (!lock->tryLock(0))
            continue;   // its window runs (maybe in this very program)
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
        else
            damaged->push_back({notePath, why, setAside(folder, name)});
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
