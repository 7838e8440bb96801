// import: a listing, as a spreadsheet left it, into a map file.
#include "cli/Invocation.h"

#include "export/ListingImport.h"
#include "image/ConfigImage.h"
#include "image/MapFile.h"

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
    call.Say(QStringLiteral("Points Imported Into %1: %2").arg(mapFile).arg(listing.Points().size()));
    return 0;
}

} // namespace mgw
