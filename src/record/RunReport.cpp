#include "record/RunReport.h"

#include "link/Adapter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSysInfo>

namespace modLumentorMGW {

namespace {
QString Now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

// The gateway's error codes: any other status is the program's own.
bool GatewayCode(int status)
{
    return status == 4 || (status >= 21 && status <= 24) || status == 52 || (status >= 61 && status <= 64)
        || status == 71;
}

QString ResultFor(const QString &command, int status)
{
    const bool compares = command == QLatin1String("verify") || command == QLatin1String("diff");
    switch (status) {
    case 0:
        return compares ? QStringLiteral("matches") : QStringLiteral("complete");
    case 1:
        return compares ? QStringLiteral("differs") : QStringLiteral("failed");
    case 2:
        return QStringLiteral("refused");
    case 130:
        return QStringLiteral("cancelled");
    default:
        return QStringLiteral("failed");
    }
}
} // namespace

RunReport::RunReport(const QString &program, const QString &version, const QString &command,
                     const QStringList &arguments)
{
    clock_.start();
    object_[QLatin1String("program")] = program;
    object_[QLatin1String("version")] = version;
    object_[QLatin1String("command")] = command;
    object_[QLatin1String("arguments")] = QJsonArray::fromStringList(arguments);
    object_[QLatin1String("started")] = Now();
    object_[QLatin1String("port")] = QJsonValue::Null;
    object_[QLatin1String("adapter")] = QJsonValue::Null;
    object_[QLatin1String("files")] = QJsonArray();
}

void RunReport::SetPort(const QString &given, const QString &resolved)
{
    object_[QLatin1String("port")] = QJsonObject{{QLatin1String("given"), given}, {QLatin1String("resolved"), resolved}};
    // The adapter, where the system tells it: the gateway cannot name itself.
    const Adapter usb = AdapterAt(resolved);
    if (usb.vendor || !usb.serialNumber.isEmpty())
        object_[QLatin1String("adapter")] = QJsonObject{{QLatin1String("vendor_id"), UsbId(usb.vendor)},
                                                        {QLatin1String("product_id"), UsbId(usb.product)},
                                                        {QLatin1String("serial_number"), usb.serialNumber}};
}

void RunReport::AddFile(const QString &role, const QString &path, const QByteArray &bytes)
{
    QJsonArray files = object_.value(QLatin1String("files")).toArray();
    files.append(QJsonObject{
        {QLatin1String("role"), role},
        {QLatin1String("path"), path},
        {QLatin1String("sha256"), QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex())},
        {QLatin1String("bytes"), qint64(bytes.size())}});
    object_[QLatin1String("files")] = files;
}

void RunReport::AddFile(const QString &role, const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.size() <= 64 * 1024 * 1024)
        return AddFile(role, path, file.readAll());
    QJsonArray files = object_.value(QLatin1String("files")).toArray();
    files.append(QJsonObject{{QLatin1String("role"), role}, {QLatin1String("path"), path},
                             {QLatin1String("sha256"), QJsonValue::Null}, {QLatin1String("bytes"), QJsonValue::Null}});
    object_[QLatin1String("files")] = files;
}

void RunReport::AddMessage(const QString &text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    message_ << line;
}

void RunReport::Set(const QString &field, const QJsonValue &value)
{
    object_[field] = value;
}

void RunReport::SetResult(const QString &result)
{
    result_ = result;
}

void RunReport::Finish(int exitStatus)
{
    object_[QLatin1String("ended")] = Now();
    object_[QLatin1String("duration_ms")] = clock_.elapsed();
    const QString result = result_.isEmpty() ? ResultFor(Command(), exitStatus) : result_;
    object_[QLatin1String("result")] = result;
    object_[QLatin1String("gateway_code")] = GatewayCode(exitStatus) ? QJsonValue(exitStatus) : QJsonValue();
    object_[QLatin1String("exit_status")] = exitStatus;
    object_[QLatin1String("message")] = message_.join(QLatin1Char('\n'));
    // Verified: the gateway's bank checksums were seen to agree with the map.
    if (QStringList{QStringLiteral("download"), QStringLiteral("upload"), QStringLiteral("verify")}.contains(Command()))
        object_[QLatin1String("verified")] = result == QLatin1String("complete") || result == QLatin1String("matches");
    object_[QLatin1String("blocks")] = QJsonObject{{QLatin1String("sent"), counts_.blocksSent},
                                                   {QLatin1String("received"), counts_.blocksReceived}};
    object_[QLatin1String("characters")] = QJsonObject{{QLatin1String("sent"), counts_.charactersSent},
                                                       {QLatin1String("received"), counts_.charactersReceived}};
}

void RunReport::AddWhereAndWho(const QString &gateway)
{
    // The login's name as the environment tells it; else the home folder's.
    QString user;
    for (const char *variable : {"USER", "LOGNAME", "USERNAME"}) {
        if (user.isEmpty())
            user = qEnvironmentVariable(variable);
    }
    if (user.isEmpty())
        user = QDir::home().dirName();
    object_[QLatin1String("host")] = QSysInfo::machineHostName();
    object_[QLatin1String("user")] = user;
    object_[QLatin1String("gateway")] = gateway.isEmpty() ? QJsonValue() : QJsonValue(gateway);
}

// format_version leads, so a reader knows a record line by its first bytes,
// a torn one too.
QByteArray RunReport::Line() const
{
    const QByteArray rest = QJsonDocument(object_).toJson(QJsonDocument::Compact);
    return QByteArrayLiteral("{\"format_version\":1") + (rest.size() > 2 ? QByteArrayLiteral(",") : QByteArray())
        + rest.mid(1);
}

} // namespace modLumentorMGW
