#include "FuzzTargets.h"
#include "ImageWrites.h"

#include "export/CsvListing.h"
#include "export/ListingImport.h"

#include <QByteArray>
#include <cstdio>
#include <vector>
#include <string>

namespace {
using modLumentorMGW::ConfigImage;

int cell(int bank, int address) { return ConfigImage[bank + 2 * address]; }

// The listing's lines written out again from the raw cells, with printf's
// number forms: every shown number is the cell plus 1, nodes and devices in
// two hex digits of the low byte.
std::string expectedPoint(int p)
{
    const int t = cell(0, 4 * p);
    const int node = cell(0, 4 * p + 1) + 1, relay = cell(0, 4 * p + 2) + 1, number = cell(0, 4 * p + 3) + 1;
    static const char *const labels[] = {"Unused", "Relay On/Off", "Relay On/Timer Off", "Multi Relay On/Off",
        "Multi Relay On/Timer Off", "Group On/Off", "Group On/Timer Off", "Preset Activate", "TL On Input", "TL Off Input"};
    if (t < 0 || t > 9)
        return {};
    char line[160];
    int n = std::snprintf(line, sizeof line, "Point,%d,%s", p + 1, labels[t]);
    if (t == 1 || t == 2)
        n += std::snprintf(line + n, sizeof line - n, ",Node,%02X,Relay,%d", node & 0xFF, relay);
    else if (t == 5 || t == 6)
        n += std::snprintf(line + n, sizeof line - n, ",Group,%d", number);
    else if (t == 7)
        n += std::snprintf(line + n, sizeof line - n, ",Preset,%d", number);
    else if (t >= 8)
        n += std::snprintf(line + n, sizeof line - n, ",Node,%02X,Device,%02X,Input,%d", node & 0xFF, relay & 0xFF, number);
    std::string out = std::string(line) + "\r\n";
    if (t != 3 && t != 4)
        return out;
    out += ",Relays Controlled\r\n";
    // The bitmap: points 1 to 32 in bank 1, 33 to 50 in bank 0 from 28672; 8 cells a node.
    for (int slot = 0; p < 50 && slot < 255; ++slot) {
        std::string relays;
        for (int r = 0; r < 64; ++r) {
            const int base = p < 32 ? 2048 * p : 28672 + 2048 * (p - 32);
            if (cell(p < 32 ? 1 : 0, base + 8 * slot + r / 8) & (1 << (r % 8)))
                relays += "," + std::to_string(r + 1);
        }
        if (!relays.empty()) {
            std::snprintf(line, sizeof line, ",,Node,%02X,Relay", slot + 1);
            out += line + relays + "\r\n";
        }
    }
    return out;
}
} // namespace

int FuzzListing(const uint8_t *data, size_t size)
{
    ApplyImageWrites(data, size);
    const QString name = QStringLiteral("/maps/plant.MGW");
    for (int points : {750, 350}) {
        std::string expected = "Mapped Gateway File: /maps/plant.MGW\r\n";
        for (int p = 0; p < points; ++p)
            expected += expectedPoint(p);
        FuzzCheck(modLumentorMGW::CsvListing(name, points).toStdString() == expected, "the listing's lines and numbers");
    }
    FuzzCheck(!modLumentorMGW::Dirty, "listing leaves the image unchanged");

    // Read back onto a cleared image: every point gives the same lines again
    // (one with no line is left cleared, "Unused"), or, when a value lies
    // outside the window's lists, nothing is written.
    std::vector<QByteArray> lines;
    for (int p = 0; p < 750; ++p)
        lines.push_back(modLumentorMGW::CsvPointLines(p));
    const modLumentorMGW::ListingImport listing(modLumentorMGW::CsvListing(name, 750), 750);
    modLumentorMGW::ClearImage();
    listing.Apply();
    for (int p = 0; p < 750; ++p) {
        const QByteArray unused = "Point," + QByteArray::number(p + 1) + ",Unused\r\n";
        const QByteArray expected = !listing.Good() ? unused : lines[size_t(p)].isEmpty() ? unused : lines[size_t(p)];
        FuzzCheck(modLumentorMGW::CsvPointLines(p) == expected, "the listing reads back line for line");
    }
    return 0;
}
