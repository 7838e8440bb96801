// import: a listing, as a spreadsheet left it, into a map file.
#include "cli/Invocation.h"

#include "export/ListingImport.h"
#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "record/RunReport.h"

#include <QJsonArray>

using namespace modLumentorMGW;

namespace mgw {

// The listed points onto BASE (--into) or onto a cleared image, then the
// map file through the one writer; a bad listing writes nothing.
int Import(const Invocation &call)
{
    const QString listingFile = call.files[0];
    const QString mapFile = call.files[1];
    QByteArray text;
    QString reason;
    if (!ReadListingFile(listingFile, &text, &reason))
        return call.Refuse(QStringLiteral("cannot read %1: %2").arg(listingFile, reason));
    if (call.into.isEmpty())
        ClearImage();
    else if (!call.ReadMap(call.into))
        return ExitUsage;
    const ListingImport listing(text, call.points);
    if (!listing.Good()) {
        call.Refuse(QStringLiteral("%1 not imported:").arg(listingFile));
        for (const QString &line : listing.BadLines())
            call.Say(line);
        return ExitUsage;
    }
    listing.Apply();
    FileName = mapFile;
    if (!WriteImageFile(&reason))
        return call.Refuse(QStringLiteral("cannot write %1: %2").arg(mapFile, reason));
    call.report->AddFile(QStringLiteral("listing"), listingFile, text);
    if (!call.into.isEmpty())
        call.report->AddFile(QStringLiteral("base"), call.into);
    call.report->AddFile(QStringLiteral("map"), mapFile, ImageFileBytes());
    QJsonArray imported;
    for (const ListedPoint &point : listing.Points())
        imported.append(point.p + 1);
    call.report->Set(QStringLiteral("import"), imported);
    call.Say(QStringLiteral("Points Imported Into %1: %2").arg(mapFile).arg(listing.Points().size()));
    return 0;
}

} // namespace mgw
