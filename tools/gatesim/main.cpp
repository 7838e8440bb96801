// mgw-gatesim: the gateway simulator on a pseudo-terminal, for trying the
// program by hand without a gateway.
#include "gatesim/GateSim.h"

#include <csignal>
#include <cstdio>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t quit = 0;

void OnSignal(int)
{
    quit = 1;
}

const char Usage[] =
    "Usage: mgw-gatesim [--link PATH] [--pace] [--adapter-latency MS]\n"
    "                   [--line echo|wrong-speed|damaged|silent] [--verbose] [--dump FILE]\n"
    "                   [--vanish-at-block K [--return-after SECONDS]] [--damage-block K]\n"
    "\n"
    "Simulates the mapped gateway on a pseudo-terminal: two banks of 65536\n"
    "cells, starting empty, answering the \"36\" (clear half a bank), \"38\"\n"
    "(write block), \"39\" (read block) and \"3F\" (bank checksum) commands.\n"
    "Prints the pseudo-terminal's path once ready, and on the next line the\n"
    "command that reaches it (LumentorMGW --port PATH), then serves until\n"
    "interrupted (Ctrl+C).\n"
    "\n"
    "  --link PATH  also place a symbolic link to the pseudo-terminal at PATH\n"
    "               (replacing a symbolic link already there; removed at exit)\n"
    "  --pace       answer at the pace of a 38400 baud line (10 bits a character)\n"
    "  --adapter-latency MS\n"
    "               hand replies over as a USB adapter's chip does: in packets\n"
    "               of 62 characters as they fill, a shorter tail MS ms after its\n"
    "               first character (an FTDI chip's latency timer; 16 by default)\n"
    "  --line MODE  a faulty line instead of a healthy gateway: echo (TX and RX\n"
    "               joined), wrong-speed (characters, never a frame), damaged\n"
    "               (every reply's checksum wrong), silent (nothing answers)\n"
    "  --verbose    log every frame received and every reply on standard error\n"
    "  --vanish-at-block K\n"
    "               close the pseudo-terminal instead of answering block K (0 to\n"
    "               2047, bank 0's blocks first), as if the adapter were pulled\n"
    "  --return-after SECONDS\n"
    "               then come back that much later on a new pseudo-terminal with\n"
    "               the memory kept, the --link moved to it (decimals allowed)\n"
    "  --damage-block K\n"
    "               spoil the checksum of the first reply to block K, once\n"
    "  --dump FILE  at exit, write the memory to FILE as a map file keeps it\n"
    "               (each cell 16-bit little-endian, the banks' cells in turn)\n"
    "  --help       show this text\n"
    "\n"
    "No root is needed: the pseudo-terminal belongs to whoever starts the\n"
    "simulator, and LumentorMGW --port (or mgw --port) opens any device path.\n";
// The memory as the program's map files hold it, to compare with one.
bool Dump(const gatesim::Gateway &memory, const std::string &path)
{
    std::string bytes;
    for (int address = 0; address < 65536; ++address) {
        for (int bank = 0; bank < 2; ++bank)
            bytes += {char(memory.Cell(bank, address)), '\0'};
    }
    std::FILE *file = std::fopen(path.c_str(), "wb");
    const bool done = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (!file || std::fclose(file) != 0 || !done) {
        std::fprintf(stderr, "mgw-gatesim: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    std::string link, dump;
    bool pace = false, verbose = false;
    int adapterMs = 0;
    gatesim::LineMode lineMode = gatesim::LineMode::Gateway;
    int vanishBlock = -1, damageBlock = -1, returnMs = -1;
    // A block number 0 to 2047, or -2 when the text is not one.
    const auto block = [](const char *text) {
        char *end = nullptr;
        const long n = std::strtol(text, &end, 10);
        return *text && !*end && n >= 0 && n < 2048 ? int(n) : -2;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        } else if (arg == "--link" && i + 1 < argc) {
            link = argv[++i];
        } else if (arg == "--dump" && i + 1 < argc) {
            dump = argv[++i];
        } else if (arg == "--adapter-latency" && i + 1 < argc) {
            char *end = nullptr;
            const long ms = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || ms < 0 || ms > 255) {
                std::fprintf(stderr, "mgw-gatesim: --adapter-latency takes 0 to 255 ms, not %s\n", argv[i]);
                return 2;
            }
            adapterMs = int(ms);
        } else if (arg == "--line" && i + 1 < argc) {
            if (!gatesim::ParseLineMode(argv[++i], &lineMode)) {
                std::fprintf(stderr, "mgw-gatesim: unknown line mode %s\n", argv[i]);
                return 2;
            }
        } else if (arg == "--vanish-at-block" && i + 1 < argc && block(argv[i + 1]) >= 0) {
            vanishBlock = block(argv[++i]);
        } else if (arg == "--damage-block" && i + 1 < argc && block(argv[i + 1]) >= 0) {
            damageBlock = block(argv[++i]);
        } else if (arg == "--return-after" && i + 1 < argc) {
            char *end = nullptr;
            const double s = std::strtod(argv[++i], &end);
            if (*end || !(s >= 0 && s <= 3600)) {
                std::fprintf(stderr, "mgw-gatesim: --return-after takes 0 to 3600 seconds\n");
                return 2;
            }
            returnMs = int(s * 1000 + 0.5);
        } else if (arg == "--pace") {
            pace = true;
        } else if (arg == "--verbose") {
            verbose = true;
        } else {
            std::fprintf(stderr, "mgw-gatesim: unknown argument %s\n\n%s", arg.c_str(), Usage);
            return 2;
        }
    }

    gatesim::GateSim sim;
    sim.SetPacing(pace);
    sim.SetAdapterLatency(adapterMs);
    sim.SetLineMode(lineMode);
    if (vanishBlock >= 0) {
        gatesim::Fault fault;
        fault.kind = gatesim::FaultKind::Vanish;
        fault.block = vanishBlock;
        fault.returnMs = returnMs;
        sim.ArmFault(fault);
    }
    if (damageBlock >= 0) {
        gatesim::Fault fault;
        fault.kind = gatesim::FaultKind::BadChecksum;
        fault.block = damageBlock;
        sim.ArmFault(fault);
    }
    if (verbose)
        sim.SetTrace([](const std::string &line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    std::string error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "mgw-gatesim: %s\n", error.c_str());
        return 1;
    }
    if (!link.empty()) {
        // Only a symbolic link is replaced, never a file.
        struct stat st {};
        if (lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "mgw-gatesim: cannot link %s: %s\n", link.c_str(), std::strerror(EEXIST));
            return 1;
        }
        if (!sim.SetLink(link, &error)) {
            std::fprintf(stderr, "mgw-gatesim: %s\n", error.c_str());
            return 1;
        }
    }

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::printf("%s\nLumentorMGW --port %s\n", sim.SlavePath().c_str(), sim.SlavePath().c_str());
    std::fflush(stdout);
    while (!quit && sim.Connected())
        pause();

    sim.Stop();
    return dump.empty() || Dump(sim.Memory(), dump) ? 0 : 1;
}
