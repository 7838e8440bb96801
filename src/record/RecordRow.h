#pragma once
// One record line as both programs show it: the columns of mgw record's
// table and of the window's Transfer Record, and what the filters compare.
#include <QJsonObject>
#include <QStringList>

namespace modLumentorMGW {

// Time, Gateway, Port, Command, Map, Result, Verified.
QStringList RecordHeadings();
QStringList RecordColumns(const QJsonObject &line);

// The map's content hash (64 hex digits), empty when the line has none.
QString RecordMapHash(const QJsonObject &line);
// Whom the line is about: the operator's name for the gateway, else its
// adapter's serial number, else its port.
QString RecordGatewayKey(const QJsonObject &line);

} // namespace modLumentorMGW
