#include "FuzzTargets.h"

#include "export/CsvListing.h"
#include "export/ListingImport.h"
#include "image/ConfigImage.h"
#include "image/PointRecord.h"

#include <QByteArray>
#include <vector>

using namespace modLumentorMGW;

namespace {
// No cell of the base is 0, so a cell the import writes cannot hide.
std::vector<int16_t> BaseImage()
{
    std::vector<int16_t> cells(CellCount);
    for (int i = 0; i < CellCount; ++i)
        cells[size_t(i)] = int16_t(1 + (i * 7919) % 509);
    return cells;
}

// The listed point index owning a cell, or -1: its four record cells, and
// for a multi relay point its whole bitmap.
std::vector<int> Owners(const ListingImport &listing)
{
    std::vector<int> owner(CellCount, -1);
    for (const ListedPoint &point : listing.Points()) {
        for (int k = 0; k < 4; ++k)
            owner[size_t(2 * (4 * point.p + k))] = point.p;
        if (point.bitmap < 0)
            continue;
        const int bank = point.p < 32 ? 1 : 0;
        const int first = point.p < 32 ? point.p * 2048 : 28672 + (point.p - 32) * 2048;
        for (int a = first; a < first + 2048; ++a)
            owner[size_t(bank + 2 * a)] = point.p;
    }
    return owner;
}
} // namespace

int FuzzImport(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int points = data[0] & 1 ? 350 : 750;
    const QByteArray text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    static const std::vector<int16_t> base = BaseImage();
    std::copy(base.begin(), base.end(), ConfigImage);
    Dirty = false;

    const ListingImport listing(text, points);
    listing.Apply();
    FuzzCheck(listing.BadLines().size() <= ListingImport::ReportedLines + 1, "at most 20 bad lines and a count");
    if (!listing.Good()) {
        FuzzCheck(std::equal(base.begin(), base.end(), ConfigImage) && !Dirty, "a bad listing changes nothing");
        return 0;
    }
    const std::vector<int> owner = Owners(listing);
    QByteArray again;
    for (int i = 0; i < CellCount; ++i)
        FuzzCheck(ConfigImage[i] == base[size_t(i)] || owner[size_t(i)] >= 0, "only listed points change");
    for (const ListedPoint &point : listing.Points()) {
        FuzzCheck(point.p < points, "points within the protocol");
        again += CsvPointLines(point.p);
    }
    // The listed points, written out again, read back as what they are now.
    const std::vector<int16_t> imported(ConfigImage, ConfigImage + CellCount);
    const ListingImport reread(again, points);
    reread.Apply();
    FuzzCheck(reread.Good() && std::equal(imported.begin(), imported.end(), ConfigImage), "listed points read back");
    return 0;
}
