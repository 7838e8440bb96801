#pragma once
// Writing the listing to disk, and the whole export in one call.
#include <QByteArray>
#include <QString>

namespace modLumentorMGW {

// Replaces csvPath with listing atomically: on failure nothing is left
// behind, an existing file keeps its old content, the result is false and
// *reason says why.
bool WriteCsvListing(const QString &csvPath, const QByteArray &listing, QString *reason = nullptr);

// The export of the map file fileName with pointCount points: forms the CSV
// path (returned in *csvPath even on failure, empty when none can be
// formed), refuses a path that names the map file, builds the listing and
// writes it. False with *reason on any refusal or failure.
bool ExportCsvFile(const QString &fileName, int pointCount, QString *csvPath = nullptr,
                   QString *reason = nullptr);

} // namespace modLumentorMGW
