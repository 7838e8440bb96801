#include "export/CsvListing.h"

#include "export/ListingLayout.h"
#include "image/PointRecord.h"

#include <algorithm>

namespace modLumentorMGW {

namespace {
void appendEol(QByteArray &out) { out.append(ListingEol.data(), int(ListingEol.size())); }

void append(QByteArray &out, std::string_view words) { out.append(words.data(), int(words.size())); }

void appendNodeLines(QByteArray &out, int16_t p)
{
    // Node slots 0..254: node numbers 01 to FF.
    for (int16_t n = 0; n < BitmapNode.last; ++n) {
        bool any = false;
        for (int16_t r = 0; r < RelaysPerNode; ++r) {
            if (!GetRelayBit(p, n, r))
                continue;
            if (!any) {
                out.append(",,");
                append(out, BitmapNode.label);
                out.append(',');
                AppendNumber(out, BitmapNode.form, n + 1);
                out.append(',');
                append(out, BitmapRelay.label);
                any = true;
            }
            out.append(',');
            AppendNumber(out, BitmapRelay.form, r + 1);
        }
        if (any)
            appendEol(out);
    }
}

void appendPoint(QByteArray &out, int16_t p)
{
    const int16_t type = GetPointType(p);
    if (type < 0 || type >= ListingTypeCount)
        return;
    const ListingType &layout = ListingTypes[type];
    append(out, PointWord);
    out.append(',');
    AppendNumber(out, NumberForm::Decimal, p + 1);
    out.append(',');
    append(out, layout.name);
    // Stored cells are 16-bit; plus 1 is done in int so 32767 gives 32768.
    const int16_t cells[4] = {type, GetPointNode(p), GetPointRelay(p), GetPointNumber(p)};
    for (int f = 0; f < layout.fieldCount; ++f) {
        const ListingField &field = layout.fields[f];
        out.append(',');
        append(out, field.label);
        out.append(',');
        AppendNumber(out, field.form, int(cells[field.cell]) + 1);
    }
    appendEol(out);
    if (IsMultiRelayType(type)) {
        out.append(',');
        append(out, RelaysControlledWords);
        appendEol(out);
        if (p < MultiRelayPoints)
            appendNodeLines(out, p);
    }
}
} // namespace

QByteArray CsvPointLines(int p)
{
    QByteArray out;
    if (p >= 0 && p < BacnetPoints)
        appendPoint(out, int16_t(p));
    return out;
}

QByteArray CsvListing(const QString &fileName, int pointCount)
{
    const int count = std::clamp(pointCount, 0, BacnetPoints);
    const QByteArray title = fileName.toUtf8();
    QByteArray out;
    out.reserve(64 + title.size() + count * 48);
    append(out, TitleWords);
    out.append(title);
    appendEol(out);
    for (int p = 0; p < count; ++p)
        appendPoint(out, int16_t(p));
    return out;
}

} // namespace modLumentorMGW
