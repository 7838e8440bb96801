#pragma once
// A record line read quickly: only the fields the table and the filters use
// are taken out; the rest of the line (arguments, message, counts) is only
// stepped over. Decoding every line whole into JSON objects takes seconds
// for a record of 100,000 lines; this takes a fraction of one.
#include <QByteArray>
#include <QString>

namespace modLumentorMGW {

// What mgw record and the window's Transfer Record show of a line.
struct RecordFields
{
    QString started, gateway, command, result;
    QString portGiven, portResolved;
    bool adapter = false;
    QString vendorId, productId, serialNumber;
    bool map = false; // the line names a map file (role "map")
    QString mapPath, mapHash;
    int verified = -1; // -1: not said (export, diff, import); 0 no; 1 yes
};

// False when the line is not one whole JSON object (a line cut short).
bool ScanRecordLine(const QByteArray &line, RecordFields *fields);

} // namespace modLumentorMGW
