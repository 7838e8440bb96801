#include "record/RecordFile.h"

#include "image/WholeFile.h"
#include "record/RecordScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    read->text = file.readAll();
    const QByteArray &bytes = read->text;
    const qsizetype firstEnd = bytes.indexOf('\n');
    if (!IsRecordStart(bytes.left(qMin(firstEnd < 0 ? bytes.size() : firstEnd, qsizetype(4096))), reason))
        return false;
    qsizetype number = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            end = bytes.size();
        const QByteArray line = QByteArray::fromRawData(bytes.constData() + at, end - at);
        at = end + 1;
        ++number;
        if (line.isEmpty())
            continue;
        RecordFields shown;
        if (!line.startsWith(LineStart) || !ScanRecordLine(line, &shown)) {
            read->notes << QStringLiteral("line %1 of %2 is not whole (a write cut short?): skipped").arg(number).arg(path);
            continue;
        }
        read->lines.push_back(shown);
        read->spans.emplace_back(at - line.size() - 1, line.size());
    }
    return true;
}

} // namespace modLumentorMGW
