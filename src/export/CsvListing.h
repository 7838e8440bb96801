#pragma once
// The readable listing of the point mapping, built from the image in memory.
#include <QByteArray>
#include <QString>

namespace modLumentorMGW {

constexpr int BacnetPoints = 750;
constexpr int LonworksPoints = 350;

// The whole listing for points 1 to pointCount (clamped to 0..750): the
// title line naming fileName, then the lines of every point, each ending in
// CR LF. Plain 8-bit text: everything is ASCII except the file name, which is
// written in UTF-8 so that every path is kept exactly.
//
// Every printed number is the stored cell plus 1; nodes and devices are two
// hexadecimal digits (low byte), the rest decimal with a sign when negative.
// A point with a type outside 0..9 gives no line. A multi relay point past
// point 050 has no relay bitmap: it gives its point line and
// ",Relays Controlled" only.
QByteArray CsvListing(const QString &fileName, int pointCount);

// The line or lines of point index p alone, as the listing writes them.
QByteArray CsvPointLines(int p);

} // namespace modLumentorMGW
