#pragma once
// Testing the line to the gateway: the port opened as a transfer opens it,
// the bank checksum command (which changes nothing) sent a few times, and
// what came back judged into one verdict with its advice. The window shows
// the text in a box, mgw prints it and exits with the verdict's status.
#include <QString>
#include <cstdint>

namespace modLumentorMGW {

enum class ProbeVerdict {
    Answers,     // the gateway answers
    PortClosed,  // the port would not open
    Silent,      // nothing came back within the reply time
    Echo,        // what is sent comes back: TX and RX joined
    NoFrame,     // characters, never a reply frame: another speed or device
    Damaged,     // replies with wrong checksums: noise
    Interrupted, // Ctrl+C
};

constexpr int ProbeCommands = 5;

struct ProbeReport
{
    ProbeVerdict verdict = ProbeVerdict::Silent;
    QString text; // every line, the verdict and its advice last
};

ProbeReport ProbeGateway(int16_t port);

// Milliseconds that characters take at 38400 baud, 10 bits each.
double LineMs(int characters);

// Seconds a dense download (every block written) and a full upload take on
// a line whose bank checksum command took roundTripMs from sending to its
// reply: each transaction's own line time, its reply never sooner than that
// command's wait beyond its frame (a chip's latency timer, the gateway's turn).
double DenseDownloadSeconds(double roundTripMs);
double FullUploadSeconds(double roundTripMs);

} // namespace modLumentorMGW
