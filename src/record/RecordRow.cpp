#include "record/RecordRow.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>

namespace modLumentorMGW {

namespace {
QString Text(const QJsonObject &object, const char *field)
{
    return object.value(QLatin1String(field)).toString();
}

QJsonObject MapFile(const QJsonObject &line)
{
    for (const QJsonValue &file : line.value(QLatin1String("files")).toArray()) {
        if (file.toObject().value(QLatin1String("role")).toString() == QLatin1String("map"))
            return file.toObject();
    }
    return QJsonObject();
}
} // namespace

QStringList RecordHeadings()
{
    return {QStringLiteral("Time"), QStringLiteral("Gateway"), QStringLiteral("Port"), QStringLiteral("Command"),
            QStringLiteral("Map"), QStringLiteral("Result"), QStringLiteral("Verified")};
}

QString RecordMapHash(const QJsonObject &line)
{
    return Text(MapFile(line), "sha256");
}

QString RecordGatewayKey(const QJsonObject &line)
{
    const QString name = Text(line, "gateway");
    if (!name.isEmpty())
        return name;
    const QString serial = Text(line.value(QLatin1String("adapter")).toObject(), "serial_number");
    if (!serial.isEmpty())
        return QStringLiteral("adapter ") + serial;
    return Text(line.value(QLatin1String("port")).toObject(), "resolved");
}

QStringList RecordColumns(const QJsonObject &line)
{
    // Ours are UTC already ("2026-03-01T09:00:00.000Z"): no need to parse them.
    QString time = Text(line, "started");
    if (time.size() == 24 && time.endsWith(QLatin1Char('Z')))
        time = time.left(19).replace(QLatin1Char('T'), QLatin1Char(' '));
    else if (const QDateTime started = QDateTime::fromString(time, Qt::ISODateWithMs); started.isValid())
        time = started.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QJsonObject port = line.value(QLatin1String("port")).toObject();
    const QJsonObject adapter = line.value(QLatin1String("adapter")).toObject();
    QString where = Text(port, "given");
    if (!adapter.isEmpty()) {
        const QString serial = Text(adapter, "serial_number");
        where += QStringLiteral(" (%1:%2%3)")
                     .arg(Text(adapter, "vendor_id"), Text(adapter, "product_id"),
                          serial.isEmpty() ? QString() : QLatin1Char(' ') + serial);
    }
    const QJsonObject map = MapFile(line);
    const QString path = Text(map, "path");
    const QString name = path.isEmpty() ? QStringLiteral("(unsaved)") : QFileInfo(path).fileName();
    const QString hash = Text(map, "sha256").left(8);
    const QJsonValue verified = line.value(QLatin1String("verified"));
    return {time,
            Text(line, "gateway").isEmpty() ? QStringLiteral("-") : Text(line, "gateway"),
            where.isEmpty() ? QStringLiteral("-") : where,
            Text(line, "command"),
            map.isEmpty() ? QStringLiteral("-") : (hash.isEmpty() ? name : name + QLatin1Char(' ') + hash),
            Text(line, "result"),
            verified.isBool() ? (verified.toBool() ? QStringLiteral("yes") : QStringLiteral("no")) : QStringLiteral("-")};
}

} // namespace modLumentorMGW
