// Writes the seed corpus: the simulator's replies to every command, spoiled
// by every fault kind, the frames the program sends, and images that hold
// every point type and the values only a file or an upload can bring.
#include "gatesim/Codec.h"
#include "gatesim/Gateway.h"
#include "gatesim/ReplyPlan.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace gatesim;

namespace {
std::string root;

void save(const std::string &target, const std::string &name, const std::string &bytes)
{
    std::ofstream(root + "/" + target + "/" + name, std::ios::binary) << bytes;
}

std::string write(int bank, int address, int value)
{
    std::string w(5, '\0');
    w[0] = char(bank << 7);
    w[1] = char(address >> 8);
    w[2] = char(address & 0xFF);
    w[3] = char(value & 0xFF);
    w[4] = char((value >> 8) & 0xFF);
    return w;
}

std::string record(int p, int type, int node, int relay, int number)
{
    return write(0, 4 * p, type) + write(0, 4 * p + 1, node) + write(0, 4 * p + 2, relay) + write(0, 4 * p + 3, number);
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    root = argv[1];

    // Replies: each command's true reply, then under every fault kind.
    Gateway gateway;
    gateway.SetCell(0, 1, 0x5A);
    const std::vector<std::pair<std::string, int>> commands = {
        {"3600$*", 6}, {"38000003F" + std::string(128, '1'), 6}, {"39000003F", 132}, {"3F00000FFFF", 12}};
    const FaultKind kinds[] = {FaultKind::BadChecksum, FaultKind::Short, FaultKind::Trailing, FaultKind::Overlong,
                               FaultKind::Split, FaultKind::WrongBankSum, FaultKind::ChangedCell};
    int n = 0;
    for (const auto &[command, length] : commands) {
        std::string payload;
        if (!gateway.Answer(command, &payload))
            continue;
        const std::string head{char(length == 6 ? 0 : length == 12 ? 1 : 2), char(2), char(1)};
        save("reply", "reply-" + std::to_string(n), head + PlanReply(payload, nullptr).bytes);
        for (FaultKind kind : kinds) {
            Fault fault;
            fault.kind = kind;
            save("reply", "fault-" + std::to_string(n) + "-" + std::to_string(int(kind)),
                 head + PlanReply(payload, &fault).bytes);
        }
        if (length == 132) {
            save("uploadblock", "block", std::string{char(3), char(5)} + PlanReply(payload, nullptr).bytes);
            Fault changed;
            changed.kind = FaultKind::ChangedCell;
            changed.cell = 63;
            save("uploadblock", "changed", std::string{char(0), char(0)} + PlanReply(payload, &changed).bytes);
        }
        // What the journal holds: the command frame itself as a reply.
        save("reply", "frame-" + std::to_string(n), head + CommandFrame(command));
        ++n;
    }
    save("uploadblock", "not-hex", std::string{char(1), char(7)} + "[00" + std::string(64, 'g') + "1Z0zf" + "]");
    save("uploadblock", "short", std::string{char(2), char(2)} + "[00AB");
    save("reply", "noise-before", std::string{0, 3, 0} + "\x01\xff~" + ReplyFrame("00"));

    // Map files: short, exact and long forms.
    save("mapfile", "short", std::string("\x00", 1) + std::string(100, '\x7f'));
    save("mapfile", "exact-zero", std::string("\x01", 1) + std::string(64, '\0'));
    save("mapfile", "exact-types", std::string("\x01", 1) + std::string("\x03\x00\x01\x00\x02\x00\x09\x00\x0a\x00\xff\xff", 12));
    save("mapfile", "long", std::string("\x02", 1) + std::string("\x80\xff\x01\x01", 4));

    // Images: every type, out-of-range lists, multi relay past point 050,
    // negative and oversized cells, full bitmaps.
    std::string images;
    for (int t = 0; t <= 9; ++t)
        images += record(t, t, t * 20, t * 6, t * 25);
    images += record(10, 8, 253, 63, 199) + record(11, 1, 254, 64, 0) + record(12, 10, 0, 0, 0);
    images += record(13, 5, 0, 0, 256) + record(14, -1, -1, -1, -1) + record(50, 3, 0, 0, 0) + record(749, 4, 0, 0, 0);
    images += record(349, 9, 1, 2, 7) + write(0, 4096, 2) + write(0, 4097, 3);
    images += write(1, 0, 0x81) + write(1, 2040, 0xFF) + write(0, 28672, 1) + write(0, 65535, 0x180);
    save("listing", "types", images);
    save("view", "types", images);
    std::string bits;
    for (int a = 0; a < 2048; a += 7)
        bits += write(1, a, 0xFF);
    save("listing", "bitmap", record(0, 3, 0, 0, 0) + bits);
    save("view", "bitmap", record(0, 3, 0, 0, 0) + bits);

    // Listings to import: byte 0 picks the protocol (0: 750 points, 1: 350).
    std::string all64 = ",,Node,FF,Relay";
    for (int r = 1; r <= 64; ++r)
        all64 += "," + std::to_string(r);
    save("import", "export", std::string(1, '\0') + "Mapped Gateway File: /maps/plant.MGW\r\n"
         "Point,1,Relay On/Off,Node,05,Relay,12\r\nPoint,2,Unused\r\nPoint,3,Multi Relay On/Off\r\n"
         ",Relays Controlled\r\n,,Node,01,Relay,1,2,5\r\n" + all64 + "\r\nPoint,4,Preset Activate,Preset,3\r\n"
         "Point,9,TL On Input,Node,0A,Device,40,Input,8\r\nPoint,750,Group On/Timer Off,Group,256\r\n");
    save("import", "calc", std::string(1, '\1') + "\xEF\xBB\xBF\"Mapped Gateway File: /a;b\";;;;\n"
         "\"Point\";001;\"Relay On/Timer Off\";\"Node\";\"fe\";\"Relay\"; 64 ;;\n\n"
         "\"Point\";50;\"Multi Relay On/Timer Off\";;;;;\n;\"Relays Controlled\";;;;;\n;;\"Node\";1;\"Relay\";64;1\n"
         "\"Point\";350;\"TL Off Input\";\"Node\";1;\"Device\";\"0a\";\"Input\";1\n");
    save("import", "bad", std::string(1, '\0') + "Point,1,Relay On/Off,Node,00,Relay,65\nPoint,1,Unused\n"
         "Point,51,Multi Relay On/Off\n,Relays Controlled\n,,Node,01,Relay,1\nPoint,2,\"Unused\n"
         ",,Node,02,Relay,3\nPoint,99999999999,Group On/Off,Group,x\nPoint,3,Multi Relay On/Off\n");
    return 0;
}
