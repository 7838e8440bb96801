// import: a listing, as a spreadsheet left it, into a map file.
#include "cli/Invocation.h"

#include "export/ListingImport.h"
#include "image/ConfigImage.h"
#include "image/FileKind.h"
#include "image/MapFile.h"
#include "record/RunReport.h"

#include <QJsonArray>

#include <QIODevice>

using namespace modLumentorMGW;

namespace mgw {

namespace {
// The listing under any name: a link, a hard link, another letter case.
bool IsListing(const QString &file, const QString &listing)
{
    return listing != QLatin1String("-")
        && (file.compare(listing, Qt::CaseInsensitive) == 0 || SameFile(file, listing));
}
} // namespace

// The listed points onto BASE (--into) or onto a cleared image, then the
// map file through the one writer; a bad listing writes nothing. "-" reads
// the listing from standard input.
int Import(const Invocation &call)
{
    const QString listingFile = call.files[0];
    const QString mapFile = call.files[1];
    // As export refuses the reverse: the edited listing is never lost to its own map.
    if (IsListing(mapFile, listingFile))
        return call.Refuse(QStringLiteral("cannot write %1: The map file would replace the listing itself.").arg(mapFile));
    if (!call.into.isEmpty() && IsListing(call.into, listingFile))
        return call.Refuse(QStringLiteral("cannot read %1: It is the listing itself, not a map file.").arg(call.into));
    QByteArray text;
    QString reason;
    const bool read = listingFile == QLatin1String("-")
        ? (call.console.in ? ReadListing(*call.console.in, &text, &reason)
                           : (reason = QStringLiteral("No standard input."), false))
        : ReadListingFile(listingFile, &text, &reason);
    if (!read)
        return call.Refuse(QStringLiteral("cannot read %1: %2").arg(listingFile, reason));
    if (call.into.isEmpty())
        ClearImage();
    else if (!call.ReadMap(call.into))
        return ExitUsage;
    const ListingImport listing(text, call.points);
    if (!listing.Good()) {
        if (!listing.Unreadable().isEmpty())
            return call.Refuse(QStringLiteral("%1 not imported: %2").arg(listingFile, listing.Unreadable()));
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
