#pragma once
// One record line as both programs show it: the columns of mgw record's
// table and of the window's Transfer Record, and whom a line is about.
#include "record/RecordScan.h"

#include <QStringList>

namespace modLumentorMGW {

// Time, Gateway, Port, Command, Map, Result, Verified.
QStringList RecordHeadings();
QStringList RecordColumns(const RecordFields &line);

// Whom the line is about: the operator's name for the gateway, else its
// adapter's serial number, else its port.
QString RecordGatewayKey(const RecordFields &line);

} // namespace modLumentorMGW
