#include "FuzzTargets.h"
#include "ImageWrites.h"

#include "export/CsvListing.h"

#include <QByteArray>

int FuzzListing(const uint8_t *data, size_t size)
{
    ApplyImageWrites(data, size);
    const QString name = QStringLiteral("/maps/plant.MGW");
    for (int points : {750, 350}) {
        const QByteArray listing = modLumentorMGW::CsvListing(name, points);
        FuzzCheck(listing.startsWith("Mapped Gateway File: /maps/plant.MGW\r\n"), "title line");
        FuzzCheck(listing.endsWith("\r\n"), "last line ends in CR LF");
        FuzzCheck(listing.count('\n') == listing.count("\r\n"), "every line ends in CR LF");
    }
    FuzzCheck(!modLumentorMGW::Dirty, "listing leaves the image unchanged");
    return 0;
}
