#include "export/CsvFile.h"

#include "export/CsvListing.h"
#include "export/CsvPath.h"

#include <QSaveFile>

namespace modLumentorMGW {

namespace {
void setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
}
} // namespace

bool WriteCsvListing(const QString &csvPath, const QByteArray &listing, QString *reason)
{
    // No direct-write fallback: a listing that cannot be written whole is
    // not written at all. Unbuffered, because QSaveFile loses a write error
    // that only shows when its buffer is flushed at commit: a short listing
    // would be committed cut off.
    QSaveFile file(csvPath);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setReason(reason, file.errorString());
        return false;
    }
    if (file.write(listing) != listing.size()) {
        setReason(reason, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setReason(reason, file.errorString());
        return false;
    }
    return true;
}

bool ExportCsvFile(const QString &fileName, int pointCount, QString *csvPath, QString *reason)
{
    const QString path = CsvPathFor(fileName);
    if (csvPath)
        *csvPath = path;
    if (!CsvPathAllowed(fileName, path, reason))
        return false;
    return WriteCsvListing(path, CsvListing(fileName, pointCount), reason);
}

} // namespace modLumentorMGW
