// mgw record: the commissioning record as a table, or as JSON Lines, with
// its filters; --last answers "what did each gateway get last?".
#include "cli/Invocation.h"

#include "link/PortDevice.h"
#include "record/RecordFile.h"
#include "record/RecordRow.h"
#include "record/RunReport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QMap>

using namespace modLumentorMGW;

namespace mgw {

const char RecordHelp[] =
    "Usage: mgw record [--gateway NAME] [--port PORT] [--map FILE] [--since DATE]\n"
    "                  [--last] [--record FILE] [--json] [--quiet]\n\n"
    "Prints the commissioning record, newest last: time, gateway, port and\n"
    "adapter, command, map name and short hash, result, verified. --map keeps\n"
    "the lines of FILE's content, whatever its name; --since DATE (2026-03-01 or\n"
    "2026-03-01T14:30:00, UTC) the lines from then on; --last keeps each\n"
    "gateway's last line only. --json prints the lines as JSON Lines.\n";

namespace {
// A date, or a date and time, in UTC; invalid when neither.
QDateTime Since(const QString &text)
{
    QDateTime when = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!when.isValid()) {
        const QDate day = QDate::fromString(text, Qt::ISODate);
        if (day.isValid())
            when = QDateTime(day, QTime(0, 0), Qt::UTC);
    }
    if (when.isValid() && when.timeSpec() == Qt::LocalTime)
        when.setTimeSpec(Qt::UTC);
    return when;
}

bool SamePort(const RecordFields &line, const QString &port, const QString &device)
{
    return line.portGiven == port || (!line.portResolved.isEmpty() && (line.portResolved == port || line.portResolved == device));
}

// Ours are UTC with milliseconds and compare as text; others are parsed.
bool Before(const RecordFields &line, const QDateTime &since, const QString &sinceText)
{
    const QString &started = line.started;
    if (started.size() == sinceText.size() && started.endsWith(QLatin1Char('Z')))
        return started < sinceText;
    return QDateTime::fromString(started, Qt::ISODateWithMs) < since;
}

// The table, each column as wide as its widest cell, in one write.
void PrintTable(const Invocation &call, const std::vector<RecordFields> &lines, const std::vector<size_t> &kept)
{
    QList<QStringList> rows{RecordHeadings()};
    for (const size_t i : kept)
        rows << RecordColumns(lines[i]);
    QList<int> widths(rows[0].size(), 0);
    for (const QStringList &row : rows) {
        for (int c = 0; c < row.size(); ++c)
            widths[c] = qMax(widths[c], int(row[c].size()));
    }
    QString text;
    for (const QStringList &row : rows) {
        for (int c = 0; c < row.size(); ++c)
            text += c + 1 < row.size() ? row[c].leftJustified(widths[c] + 2) : row[c] + QLatin1Char('\n');
    }
    text.chop(1);
    call.Print(text);
}
} // namespace

int Record(const Invocation &call)
{
    const QDateTime since = Since(call.since);
    if (!call.since.isEmpty() && !since.isValid())
        return call.Refuse(QStringLiteral("--since: '%1' is not a date (2026-03-01 or 2026-03-01T14:30:00)").arg(call.since));
    QString mapHash;
    if (!call.map.isEmpty()) {
        QFile map(call.map);
        if (!map.open(QIODevice::ReadOnly) || !QFileInfo(call.map).isFile())
            return call.Refuse(QStringLiteral("--map: cannot read %1: %2").arg(call.map, map.errorString()));
        mapHash = QString::fromLatin1(QCryptographicHash::hash(map.readAll(), QCryptographicHash::Sha256).toHex());
    }
    const QString path = RecordPath(call.record);
    RecordRead read;
    QString reason;
    if (!ReadRecord(path, &read, &reason))
        return call.Refuse(QStringLiteral("%1 is not read: %2").arg(path, reason));
    for (const QString &note : read.notes)
        call.Say(QStringLiteral("mgw record: ") + note);

    const QString sinceText = since.toUTC().toString(Qt::ISODateWithMs);
    const QString device = call.port.isEmpty() ? QString() : OpenedDevice(call.port);
    std::vector<size_t> kept; // lines by their index in read
    QMap<QString, size_t> lastOf; // gateway: its place in kept
    for (size_t i = 0; i < read.lines.size(); ++i) {
        const RecordFields &line = read.lines[i];
        if ((!call.gateway.isEmpty() && line.gateway != call.gateway)
            || (!call.port.isEmpty() && !SamePort(line, call.port, device))
            || (!mapHash.isEmpty() && line.mapHash != mapHash)
            || (since.isValid() && Before(line, since, sinceText)))
            continue;
        const QString key = RecordGatewayKey(line);
        if (call.last && lastOf.contains(key)) {
            kept[lastOf[key]] = i;
            continue;
        }
        lastOf[key] = kept.size();
        kept.push_back(i);
    }
    if (call.last) // newest last, as the record keeps them
        std::sort(kept.begin(), kept.end());
    if (call.json) {
        QByteArray lines;
        for (const size_t i : kept)
            lines += read.Raw(i) + '\n';
        call.console.out.write(lines);
    } else {
        PrintTable(call, read.lines, kept);
    }
    return 0;
}

} // namespace mgw
