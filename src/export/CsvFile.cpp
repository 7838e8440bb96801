#include "export/CsvFile.h"

#include "export/CsvListing.h"
#include "export/CsvPath.h"
#include "image/WholeFile.h"

namespace modLumentorMGW {

bool WriteCsvListing(const QString &csvPath, const QByteArray &listing, QString *reason)
{
    return WriteWholeFile(csvPath, listing, reason);
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
