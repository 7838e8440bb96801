#include "export/CsvPath.h"

#include "image/FileKind.h"

namespace modLumentorMGW {

namespace {
void setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
}

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }
} // namespace

QString CsvPathFor(const QString &mapFileName)
{
    if (mapFileName.isEmpty())
        return QString();
    int keep = int(mapFileName.size());
    for (int taken = 0; taken < 3 && keep > 0 && !isSeparator(mapFileName.at(keep - 1)); ++taken)
        --keep;
    return mapFileName.left(keep) + QStringLiteral("CSV");
}

bool CsvPathAllowed(const QString &mapFileName, const QString &csvPath, QString *reason)
{
    if (csvPath.isEmpty()) {
        setReason(reason, QStringLiteral("No name for the listing can be formed from the map file's name."));
        return false;
    }
    // A link (symbolic or hard), or a folder that ignores letter case, can
    // still lead both names to one file.
    if (csvPath.compare(mapFileName, Qt::CaseInsensitive) == 0 || SameFile(csvPath, mapFileName)) {
        setReason(reason, QStringLiteral("The listing would replace the map file itself."));
        return false;
    }
    return true;
}

} // namespace modLumentorMGW
