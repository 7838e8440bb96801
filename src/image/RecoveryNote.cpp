#include "image/RecoveryNote.h"

#include "image/CopyFiles.h"

#include <QList>

namespace modLumentorMGW {

namespace {
const char *const Protocols[] = {"BACnet", "LonWorks"};
constexpr int PointCounts[] = {750, 350};

// A path may hold any character but the line's end: "%", CR and LF are
// written as %25, %0D and %0A, and every %XX is read back.
QByteArray escaped(const QString &value)
{
    QByteArray bytes = value.toUtf8();
    bytes.replace('%', "%25").replace('\r', "%0D").replace('\n', "%0A");
    return bytes;
}

} // namespace

QByteArray RecoveryNote::Text() const
{
    return "file=" + escaped(file) + "\nprotocol=" + Protocols[protocol & 1] + "\npoint=" + QByteArray::number(point)
           + "\ntime=" + time.toUTC().toString(Qt::ISODateWithMs).toLatin1() + "\npid=" + QByteArray::number(pid)
           + "\nimage=" + image.toUtf8() + '\n';
}

RecoveryNote RecoveryNote::Parse(const QByteArray &text, QString *why)
{
    RecoveryNote note;
    QString missing;
    const auto value = [&](const char *key) {
        for (const QByteArray &line : text.split('\n')) {
            if (line.startsWith(QByteArray(key) + '='))
                return QByteArray::fromPercentEncoding(line.mid(int(qstrlen(key)) + 1));
        }
        if (missing.isEmpty())
            missing = QString::fromLatin1(key);
        return QByteArray();
    };
    bool pointRead = false, pidRead = false;
    note.file = QString::fromUtf8(value("file"));
    const QByteArray protocol = value("protocol");
    note.protocol = protocol == Protocols[1] ? 1 : 0;
    note.point = value("point").toInt(&pointRead);
    note.time = QDateTime::fromString(QString::fromLatin1(value("time")), Qt::ISODateWithMs);
    note.pid = value("pid").toLongLong(&pidRead);
    note.image = QString::fromUtf8(value("image"));

    const auto wrong = [](const char *key, const QString &shown) {
        return QStringLiteral("a wrong %1 (%2)").arg(QLatin1String(key), shown);
    };
    if (!missing.isEmpty())
        *why = QStringLiteral("no ") + missing;
    else if (protocol != Protocols[0] && protocol != Protocols[1])
        *why = wrong("protocol", QString::fromUtf8(protocol));
    else if (!pointRead || note.point < 1 || note.point > PointCounts[note.protocol])
        *why = wrong("point", QString::fromUtf8(value("point")));
    else if (!note.time.isValid())
        *why = wrong("time", QString::fromUtf8(value("time")));
    else if (!pidRead || note.pid <= 0)
        *why = wrong("pid", QString::fromUtf8(value("pid")));
    else if (note.file.isEmpty() || !IsCopyImage(note.image))
        *why = note.file.isEmpty() ? wrong("file", QString()) : wrong("image", note.image);
    else
        why->clear();
    return note;
}

} // namespace modLumentorMGW
