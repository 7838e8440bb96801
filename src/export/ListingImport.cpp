#include "export/ListingImport.h"

#include "export/ListingReader.h"
#include "image/PointRecord.h"

#include <QFile>
#include <algorithm>

namespace modLumentorMGW {

namespace {
// A listing with every bitmap full is under 3 MB.
constexpr qint64 LargestListing = 64 << 20;
} // namespace

ListingImport::ListingImport(const QByteArray &text, int pointCount)
{
    ListingReader reader(*this, std::clamp(pointCount, 0, 750));
    reader.Read(std::string_view(text.constData(), std::size_t(text.size())));
}

void ListingImport::Bad(const QString &text)
{
    if (++bad_ <= ReportedLines)
        reported_ << text;
}

QStringList ListingImport::BadLines() const
{
    QStringList lines = reported_;
    if (bad_ > ReportedLines)
        lines << QStringLiteral("and %1 more bad lines").arg(bad_ - ReportedLines);
    return lines;
}

void ListingImport::Apply() const
{
    if (!Good())
        return;
    for (const ListedPoint &point : points_) {
        SetPointType(point.p, point.cells[0]);
        SetPointNode(point.p, point.cells[1]);
        SetPointRelay(point.p, point.cells[2]);
        SetPointNumber(point.p, point.cells[3]);
        if (point.bitmap < 0)
            continue;
        const ListedBitmap &bitmap = bitmaps_[std::size_t(point.bitmap)];
        for (int16_t n = 0; n < BitmapNodeSlots; ++n) {
            for (int16_t r = 0; r < RelaysPerNode; r += 8)
                SetRelayCell(point.p, n, r, int16_t((bitmap[std::size_t(n)] >> r) & 0xFF));
        }
    }
}

bool ReadListingFile(const QString &path, QByteArray *text, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    if (file.size() > LargestListing) {
        *reason = QStringLiteral("The file holds %1 bytes, far more than a listing.").arg(file.size());
        return false;
    }
    *text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace modLumentorMGW
