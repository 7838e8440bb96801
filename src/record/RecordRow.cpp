#include "record/RecordRow.h"

#include <QDateTime>
#include <QFileInfo>

namespace modLumentorMGW {

QStringList RecordHeadings()
{
    return {QStringLiteral("Time"), QStringLiteral("Gateway"), QStringLiteral("Port"), QStringLiteral("Command"),
            QStringLiteral("Map"), QStringLiteral("Result"), QStringLiteral("Verified")};
}

QString RecordGatewayKey(const RecordFields &line)
{
    if (!line.gateway.isEmpty())
        return line.gateway;
    if (!line.serialNumber.isEmpty())
        return QStringLiteral("adapter ") + line.serialNumber;
    return line.portResolved;
}

QStringList RecordColumns(const RecordFields &line)
{
    // Ours are UTC already ("2026-03-01T09:00:00.000Z"): no need to parse them.
    QString time = line.started;
    if (time.size() == 24 && time.endsWith(QLatin1Char('Z')))
        time = time.left(19).replace(QLatin1Char('T'), QLatin1Char(' '));
    else if (const QDateTime started = QDateTime::fromString(time, Qt::ISODateWithMs); started.isValid())
        time = started.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QString where = line.portGiven;
    if (line.adapter)
        where += QStringLiteral(" (%1:%2%3)")
                     .arg(line.vendorId, line.productId,
                          line.serialNumber.isEmpty() ? QString() : QLatin1Char(' ') + line.serialNumber);
    const QString name = line.mapPath.isEmpty() ? QStringLiteral("(unsaved)") : QFileInfo(line.mapPath).fileName();
    const QString hash = line.mapHash.left(8);
    const QString dash = QStringLiteral("-");
    return {time,
            line.gateway.isEmpty() ? dash : line.gateway,
            where.isEmpty() ? dash : where,
            line.command,
            !line.map ? dash : hash.isEmpty() ? name : name + QLatin1Char(' ') + hash,
            line.result,
            line.verified < 0 ? dash : line.verified ? QStringLiteral("yes") : QStringLiteral("no")};
}

} // namespace modLumentorMGW
