#include "link/ResumePoint.h"

#include "image/MapFile.h"
#include "image/RecoveryFolder.h"
#include "image/WholeFile.h"
#include "link/Adapter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocale>

namespace modLumentorMGW {

namespace {
// Beside the recovery copies, in the same state folder.
QString ResumeFolder()
{
    return QDir::cleanPath(RecoveryFolder() + QStringLiteral("/../Resume"));
}

QString Hex(const QByteArray &bytes, QCryptographicHash::Algorithm how)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, how).toHex());
}

// One small file a port: "port", "map" (SHA-256 of the map file's bytes),
// "name" (the map file then) and "next" (-1: nothing to resume, 2049:
// complete), a line each.
struct Kept
{
    QString port, map, name;
    int next = NothingToResume;
};

QString FileFor(const QString &key)
{
    return ResumeFolder() + QLatin1Char('/') + Hex(key.toUtf8(), QCryptographicHash::Sha1).left(16)
           + QStringLiteral(".resume");
}

bool Read(const QString &path, Kept *kept)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4096)
        return false;
    bool ok = false;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString value = line.section(QLatin1Char(' '), 1);
        if (line.startsWith(QLatin1String("port ")))
            kept->port = value;
        else if (line.startsWith(QLatin1String("map ")))
            kept->map = value;
        else if (line.startsWith(QLatin1String("name ")))
            kept->name = value;
        else if (line.startsWith(QLatin1String("next ")))
            kept->next = value.toInt(&ok);
    }
    return ok && !kept->port.isEmpty() && !kept->map.isEmpty();
}

// A record that cannot be kept only costs the offer to resume.
void Record(const QString &key, int next)
{
    const QString text = QStringLiteral("port %1\nmap %2\nname %3\nnext %4\n")
                             .arg(key, Hex(ImageFileBytes(), QCryptographicHash::Sha256), FileName)
                             .arg(next);
    QDir().mkpath(ResumeFolder());
    WriteWholeFile(FileFor(key), text.toUtf8());
}

constexpr int Complete = 2049;
} // namespace

void RecordDownloadStart(const QString &port)
{
    Record(port, NothingToResume);
}

void RecordDownloadStop(const QString &port, int16_t next)
{
    Record(port, next);
}

void RecordDownloadComplete(const QString &port)
{
    Record(port, Complete);
}

QString BlockOfTotal(int16_t next)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    return QStringLiteral("%1 of %2").arg(english.toString(next + 1), english.toString(2048));
}

int16_t ResumableBlock(int16_t port, QString *reason)
{
    const QString key = AdapterKey(IdentifyAdapter(port));
    const QString map = Hex(ImageFileBytes(), QCryptographicHash::Sha256);
    QString why;
    Kept kept;
    if (Read(FileFor(key), &kept) && kept.port == key) {
        if (kept.next == Complete)
            why = QStringLiteral("the last download through %1 was complete").arg(key);
        else if (kept.map != map)
            why = QStringLiteral("the last download through %1 was of another map (%2)").arg(key, kept.name);
        else if (kept.next < 0 || kept.next > 2048)
            why = QStringLiteral("the last download through %1 stopped before its first block").arg(key);
        else
            return int16_t(kept.next);
    } else {
        why = QStringLiteral("no download through %1 stopped part way").arg(key);
        // The same map stopped on another port: say which.
        const QDir folder(ResumeFolder());
        for (const QString &name : folder.entryList({QStringLiteral("*.resume")}, QDir::Files)) {
            Kept other;
            if (Read(folder.filePath(name), &other) && other.map == map && other.next >= 0 && other.next <= 2048) {
                why += QStringLiteral("; this map's download stopped through %1").arg(other.port);
                break;
            }
        }
    }
    if (reason)
        *reason = why;
    return NothingToResume;
}

} // namespace modLumentorMGW
