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
#include <QJsonDocument>
#include <QMap>

using namespace modLumentorMGW;

namespace mgw {

const char RecordHelp[] =
    "Usage: mgw record [--gateway NAME] [--port PORT] [--map FILE] [--since DATE]\n"
    "                  [--last] [--record FILE] [--json]\n\n"
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

bool SamePort(const QJsonObject &line, const QString &port)
{
    const QJsonObject on = line.value(QLatin1String("port")).toObject();
    const QString given = on.value(QLatin1String("given")).toString();
    const QString resolved = on.value(QLatin1String("resolved")).toString();
    return given == port || resolved == port || (!resolved.isEmpty() && resolved == OpenedDevice(port));
}

// The table, each column as wide as its widest cell.
void PrintTable(const Invocation &call, const std::vector<QJsonObject> &lines)
{
    QList<QStringList> rows{RecordHeadings()};
    for (const QJsonObject &line : lines)
        rows << RecordColumns(line);
    QList<int> widths(rows[0].size(), 0);
    for (const QStringList &row : rows) {
        for (int c = 0; c < row.size(); ++c)
            widths[c] = qMax(widths[c], int(row[c].size()));
    }
    for (const QStringList &row : rows) {
        QString text;
        for (int c = 0; c < row.size(); ++c)
            text += c + 1 < row.size() ? row[c].leftJustified(widths[c] + 2) : row[c];
        call.Print(text);
    }
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

    std::vector<QJsonObject> kept;
    QMap<QString, size_t> lastOf; // gateway: its line in kept
    for (const QJsonObject &line : read.lines) {
        if ((!call.gateway.isEmpty() && line.value(QLatin1String("gateway")).toString() != call.gateway)
            || (!call.port.isEmpty() && !SamePort(line, call.port))
            || (!mapHash.isEmpty() && RecordMapHash(line) != mapHash)
            || (since.isValid() && QDateTime::fromString(line.value(QLatin1String("started")).toString(), Qt::ISODateWithMs) < since))
            continue;
        const QString key = RecordGatewayKey(line);
        if (call.last && lastOf.contains(key)) {
            kept[lastOf[key]] = line;
            continue;
        }
        lastOf[key] = kept.size();
        kept.push_back(line);
    }
    if (call.last) // newest last, by each gateway's last line
        std::stable_sort(kept.begin(), kept.end(), [](const QJsonObject &a, const QJsonObject &b) {
            return a.value(QLatin1String("started")).toString() < b.value(QLatin1String("started")).toString();
        });
    if (call.json) {
        for (const QJsonObject &line : kept)
            call.console.out.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
    } else {
        PrintTable(call, kept);
    }
    return 0;
}

} // namespace mgw
