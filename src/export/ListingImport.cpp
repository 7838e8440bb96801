#include "export/ListingImport.h"

#include "export/ListingReader.h"
#include "image/FileKind.h"
#include "image/PointRecord.h"

#include <QFile>
#include <algorithm>

namespace modLumentorMGW {

namespace {
// A listing with every bitmap full is under 3 MB.
constexpr qint64 LargestListing = 64 << 20;

// Text of another kind is told in one line, never line by line: its
// "lines" would be raw bytes, control characters among them. A listing
// holds no control character but tab and the line ends.
QString NotText(const QByteArray &text)
{
    // A map file's cells are 16 bits, their high bytes mostly zero.
    if (text.size() == 262144 && text.contains('\0'))
        return QStringLiteral("this is a map file, not a listing");
    if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF")
        || (text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0')))
        return QStringLiteral("UTF-16 text: save the listing as UTF-8 or ANSI");
    const bool control = std::any_of(text.begin(), text.end(), [](char c) {
        return (uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == '\x7F';
    });
    return control ? QStringLiteral("not a text listing") : QString();
}
} // namespace

ListingImport::ListingImport(const QByteArray &text, int pointCount)
{
    ListingReader reader(*this, std::clamp(pointCount, 0, 750));
    reader.Read(std::string_view(text.constData(), std::size_t(text.size())));
    // Only a file with bad lines is looked at as a whole: a good listing
    // holds no control character outside its title, and is read at full speed.
    if (bad_ > 0)
        unreadable_ = NotText(text);
}

void ListingImport::Bad(const QString &text)
{
    if (++bad_ <= ReportedLines)
        reported_ << text;
}

QStringList ListingImport::BadLines() const
{
    if (!unreadable_.isEmpty())
        return {unreadable_};
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
    // A FIFO would block, a device would never end.
    if (!RegularToRead(path, reason)) {
        if (KindOf(path) == FileKind::Other)
            *reason = QStringLiteral("It is not a regular file, so it cannot be a listing.");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    return ReadListing(file, text, reason);
}

// Never more than the limit is read, whatever the device claims its size is.
bool ReadListing(QIODevice &device, QByteArray *text, QString *reason)
{
    *text = device.read(LargestListing + 1);
    if (text->size() > LargestListing) {
        text->clear();
        *reason = QStringLiteral("It holds more than %1 bytes, far more than a listing.").arg(LargestListing);
        return false;
    }
    if (const auto *file = qobject_cast<QFileDevice *>(&device); file && file->error() != QFileDevice::NoError) {
        *reason = file->errorString();
        return false;
    }
    return true;
}

} // namespace modLumentorMGW
