#include "record/RecordFile.h"

#include "image/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace modLumentorMGW {

namespace {
const QByteArray LineStart = QByteArrayLiteral("{\"format_version\":");

bool Refuse(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}
} // namespace

QString RecordPath(const QString &given)
{
    if (!given.isEmpty())
        return given;
    const QString fromEnvironment = qEnvironmentVariable("MGW_RECORD");
    return fromEnvironment.isEmpty() ? DefaultRecordPath() : fromEnvironment;
}

bool IsRecordStart(const QByteArray &firstLine, QString *reason)
{
    // A first line torn after a few bytes still starts as a record line does.
    const qsizetype n = qMin(firstLine.size(), LineStart.size());
    if (firstLine.left(n) == LineStart.left(n))
        return true;
    if (firstLine.contains('\0'))
        return Refuse(reason, QStringLiteral("it is a map file or other binary file, not a record"));
    if (firstLine.startsWith("Mapped Gateway File:") || firstLine.startsWith("Point") || firstLine.count(',') >= 3)
        return Refuse(reason, QStringLiteral("it is a listing or other CSV file, not a record"));
    if (firstLine.startsWith('{') || firstLine.startsWith('['))
        return Refuse(reason, QStringLiteral("it holds JSON of another kind, not a record"));
    return Refuse(reason, QStringLiteral("it holds text that is not a record"));
}

bool AppendRecordLine(const QString &path, const QByteArray &line, QString *reason)
{
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath()); // a failure shows as the open's
    return AppendWholeLine(path, line + '\n', IsRecordStart, reason);
}

bool ReadRecord(const QString &path, RecordRead *read, QString *reason)
{
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (info.isDir())
        return Refuse(reason, QStringLiteral("it is a folder"));
    if (!info.isFile())
        return Refuse(reason, QStringLiteral("it is not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refuse(reason, file.errorString());
    const QByteArray bytes = file.readAll();
    const QList<QByteArray> lines = bytes.split('\n');
    if (!IsRecordStart(lines.value(0).left(4096), reason))
        return false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(lines[i], &error);
        if (error.error != QJsonParseError::NoError || !document.isObject() || !lines[i].startsWith(LineStart)) {
            read->notes << QStringLiteral("line %1 of %2 is not whole (a write cut short?): skipped").arg(i + 1).arg(path);
            continue;
        }
        read->lines.push_back(document.object());
    }
    return true;
}

} // namespace modLumentorMGW
