#include "export/CsvListing.h"

#include "image/PointRecord.h"
#include "link/Hex.h"

#include <algorithm>
#include <charconv>

namespace modLumentorMGW {

namespace {
const char Eol[] = "\r\n";

// Stored cells are 16-bit; plus 1 is done in int so 32767 gives 32768.
inline int shown(int16_t cell) { return int(cell) + 1; }

void appendDecimal(QByteArray &out, int value)
{
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, int(end - digits));
}

void appendHex2(QByteArray &out, int value)
{
    // Only the low byte is printed, so the narrowing cannot change the digits.
    out.append(Hex2(int16_t(value & 0xFF)).toLatin1());
}

void appendNodeLines(QByteArray &out, int16_t p)
{
    // Node slots 0..254: node numbers 01 to FF.
    for (int16_t n = 0; n < BitmapNodeSlots - 1; ++n) {
        bool any = false;
        for (int16_t r = 0; r < RelaysPerNode; ++r) {
            if (!GetRelayBit(p, n, r))
                continue;
            if (!any) {
                out.append(",,Node,");
                appendHex2(out, n + 1);
                out.append(",Relay");
                any = true;
            }
            out.append(',');
            appendDecimal(out, r + 1);
        }
        if (any)
            out.append(Eol);
    }
}

void appendPoint(QByteArray &out, int16_t p)
{
    const int16_t type = GetPointType(p);
    if (type < 0 || type > 9)
        return;
    out.append("Point,");
    appendDecimal(out, p + 1);
    out.append(',');
    switch (type) {
    case 0:
        out.append("Unused");
        break;
    case 1:
    case 2:
        out.append(type == 1 ? "Relay On/Off,Node," : "Relay On/Timer Off,Node,");
        appendHex2(out, shown(GetPointNode(p)));
        out.append(",Relay,");
        appendDecimal(out, shown(GetPointRelay(p)));
        break;
    case 3:
    case 4:
        out.append(type == 3 ? "Multi Relay On/Off" : "Multi Relay On/Timer Off");
        out.append(Eol);
        out.append(",Relays Controlled");
        if (p < MultiRelayPoints) {
            out.append(Eol);
            appendNodeLines(out, p);
            return;
        }
        break;
    case 5:
    case 6:
        out.append(type == 5 ? "Group On/Off,Group," : "Group On/Timer Off,Group,");
        appendDecimal(out, shown(GetPointNumber(p)));
        break;
    case 7:
        out.append("Preset Activate,Preset,");
        appendDecimal(out, shown(GetPointNumber(p)));
        break;
    default: // 8, 9
        out.append(type == 8 ? "TL On Input,Node," : "TL Off Input,Node,");
        appendHex2(out, shown(GetPointNode(p)));
        out.append(",Device,");
        appendHex2(out, shown(GetPointRelay(p)));
        out.append(",Input,");
        appendDecimal(out, shown(GetPointNumber(p)));
        break;
    }
    out.append(Eol);
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
    out.append("Mapped Gateway File: ");
    out.append(title);
    out.append(Eol);
    for (int p = 0; p < count; ++p)
        appendPoint(out, int16_t(p));
    return out;
}

} // namespace modLumentorMGW
