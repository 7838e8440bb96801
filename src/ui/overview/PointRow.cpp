#include "ui/overview/PointRow.h"

#include "image/PointRecord.h"

#include <bitset>

using namespace modLumentorMGW;

namespace {
const char *const Headers[PointRow::Columns] = {"Point", "Action", "Node", "Relay", "Device",
                                                "Input", "Group", "Preset", "Relays", "On Nodes"};

// The number the operator reads: stored plus 1, in at least two upper-case
// hexadecimal digits or in decimal. Nothing is cut off, so an odd value shows whole.
QString shown(int stored, bool hex)
{
    const int n = stored + 1;
    if (!hex)
        return QString::number(n);
    const QString digits = QString::number(n < 0 ? -n : n, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    return n < 0 ? QLatin1Char('-') + digits : digits;
}
} // namespace

QString PointRow::Header(int column)
{
    return column >= 0 && column < Columns ? QString::fromLatin1(Headers[column]) : QString();
}

void PointRow::SetNumber(Column column, int stored, int last, bool hex, const QString &list)
{
    PointField &field = fields_[column];
    field.text = shown(stored, hex);
    field.key = stored + 1;
    if (stored < 0 || stored > last)
        field.odd = QStringLiteral("Not in the %1 list: the cell holds %2").arg(list).arg(stored);
}

void PointRow::Read(int p, const QStringList &types)
{
    fields_ = {};
    nodeTerms_.clear();
    const auto point = int16_t(p);
    const int type = GetPointType(point);
    fields_[Point] = {QStringLiteral("%1").arg(p + 1, 3, 10, QLatin1Char('0')), p + 1, {}};
    fields_[Action].key = type;
    if (type >= 0 && type < types.size()) {
        fields_[Action].text = types[type];
    } else {
        fields_[Action].text = QString::number(type);
        fields_[Action].odd = QStringLiteral("Not a point type: the cell holds %1").arg(type);
    }
    mapped_ = type != 0;

    const int node = GetPointNode(point), relay = GetPointRelay(point), number = GetPointNumber(point);
    switch (type) {
    case 1:
    case 2:
        SetNumber(Node, node, 253, true, QStringLiteral("node"));
        SetNumber(Relay, relay, 63, false, QStringLiteral("relay"));
        break;
    case 3:
    case 4:
        ReadRelays(p);
        break;
    case 5:
    case 6:
        SetNumber(Group, number, 255, false, QStringLiteral("group"));
        break;
    case 7:
        SetNumber(Preset, number, 255, false, QStringLiteral("preset"));
        break;
    case 8:
    case 9:
        SetNumber(Node, node, 253, true, QStringLiteral("node"));
        SetNumber(Device, relay, 63, true, QStringLiteral("device"));
        SetNumber(Input, number, 7, false, QStringLiteral("input"));
        break;
    default:
        break;
    }

    haystack_.clear();
    for (int column = 0; column < Columns; ++column) {
        if (fields_[column].text.isEmpty())
            continue;
        if (!haystack_.isEmpty())
            haystack_ += QLatin1Char('\n');
        haystack_ += Header(column) + QLatin1Char(' ') + fields_[column].text;
    }
    haystack_ = haystack_.toLower() + nodeTerms_;
}

// Relays set and the nodes they are on, over every node slot of the bitmap;
// the two slots the node lists do not offer are marked.
void PointRow::ReadRelays(int p)
{
    if (p >= MultiRelayPoints) {
        fields_[Action].odd = QStringLiteral("Only points 001 to 050 have a relay bitmap");
        return;
    }
    // Node numbers made once: a dense bitmap names up to 256 nodes per point.
    static const QStringList names = [] {
        QStringList all;
        for (int n = 0; n < BitmapNodeSlots; ++n)
            all << shown(n, true);
        return all;
    }();
    int count = 0;
    int nodes = 0;
    QString &text = fields_[OnNodes].text;
    text.reserve(3 * BitmapNodeSlots);
    nodeTerms_.reserve(9 * BitmapNodeSlots);
    for (int n = 0; n < BitmapNodeSlots; ++n) {
        int onNode = 0;
        for (int r = 0; r < RelaysPerNode; r += 8)   // the low byte holds the eight relay bits
            onNode += std::bitset<8>(uint8_t(GetRelayCell(p, int16_t(n), int16_t(r)))).count();
        if (onNode == 0)
            continue;
        count += onNode;
        if (nodes++ > 0)
            text += QLatin1Char(' ');
        text += names[n];
        // "Node: 05" finds a multi relay point with relays on node 05 too.
        nodeTerms_ += QStringLiteral("\nnode ") + names[n].toLower();
        if (n > 253)
            fields_[OnNodes].odd = QStringLiteral("Relays set on node slots the node list does not offer");
    }
    fields_[Relays] = {QString::number(count), count, {}};
    fields_[OnNodes].key = nodes;
}
