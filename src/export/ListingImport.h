#pragma once
// A listing read back into point records: the lines the export writes, and
// what spreadsheets make of them when they save them again (CR LF or LF, a
// byte order mark, quotes, padded rows, ';' between fields, leading zeros,
// hexadecimal of either case, spaces, blank lines, no title line). Every
// line is checked before anything is written: one bad line, and nothing is.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

#include <array>
#include <cstdint>
#include <vector>

namespace modLumentorMGW {

struct ListedPoint {
    int16_t p;          // point index
    int16_t cells[4];   // type, node, relay or device, number; a field the type does not show is 0
    int bitmap;         // its relay bitmap among Bitmaps(), or -1 when not a multi relay point
};

// Relays of node slot n as bits 0 to 63, for slots 0 to 255.
using ListedBitmap = std::array<uint64_t, 256>;

class ListingImport {
public:
    static constexpr int ReportedLines = 20;

    // Reads text as the listing of points 1 to pointCount (350 or 750).
    ListingImport(const QByteArray &text, int pointCount);

    // No bad line, and at least one point listed.
    bool Good() const { return bad_ == 0 && unreadable_.isEmpty(); }
    // Why the text as a whole is no listing ("this is a map file, not a
    // listing"), in place of its lines; empty when it is text.
    const QString &Unreadable() const { return unreadable_; }
    // The first 20 bad lines ("line 57: relay 65: relays are 1 to 64"), then
    // how many more there are.
    QStringList BadLines() const;

    const std::vector<ListedPoint> &Points() const { return points_; }
    const std::vector<ListedBitmap> &Bitmaps() const { return bitmaps_; }

    // Replaces the four cells of each listed point and, for a multi relay
    // point, its whole bitmap, through the accessors; nothing else. Does
    // nothing unless Good().
    void Apply() const;

private:
    friend class ListingReader;
    void Bad(const QString &text);

    std::vector<ListedPoint> points_;
    std::vector<ListedBitmap> bitmaps_;
    QStringList reported_;
    QString unreadable_;
    int bad_ = 0;
};

// Reads a listing file whole; false with *reason when it is not a regular
// file, cannot be read or is far larger than any listing.
bool ReadListingFile(const QString &path, QByteArray *text, QString *reason);
// The same from an open device (standard input), within the same size.
bool ReadListing(QIODevice &device, QByteArray *text, QString *reason);

} // namespace modLumentorMGW
