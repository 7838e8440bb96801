#pragma once
// Replacing a file as a whole: the map file and the listing are both written
// this way, so a failed write never leaves a damaged or half-written file.
#include <QByteArray>
#include <QString>

namespace modLumentorMGW {

// Replaces path with bytes atomically. On failure the file on disk keeps its
// old content (or stays missing), no temporary file is left, the result is
// false and *reason says why.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr);

} // namespace modLumentorMGW
