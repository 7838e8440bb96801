#include "FuzzTargets.h"

#include "gatesim/GateSim.h"
#include "link/Frame.h"
#include "link/PortDevice.h"
#include "link/Transaction.h"

#include <QString>

using namespace modLumentorMGW;

namespace {
// One simulator and one open port for the whole run: a transaction costs
// tens of microseconds, a port opening far more.
gatesim::GateSim &simulator()
{
    static gatesim::GateSim *sim = [] {
        auto *s = new gatesim::GateSim;
        FuzzCheck(s->Start(), "simulator starts");
        SetPortDevice(1, QString::fromStdString(s->SlavePath()));
        FuzzCheck(OpenGatewayPort(1), "port opens");
        return s;
    }();
    return *sim;
}
} // namespace

int FuzzReply(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const std::string reply(reinterpret_cast<const char *>(data + 3), size - 3);
    const QByteArray bytes = QByteArray::fromStdString(reply);

    // The check alone, on the whole reply.
    const bool whole = ReplyChecksumAgrees(bytes);
    if (whole)
        FuzzCheck(bytes.size() <= CodeTableSize, "nothing past the code table is trusted");
    if (reply.empty())
        return 0;

    // The same bytes through a real port, in pieces. The expected length
    // never exceeds what comes, so no transaction waits out its time.
    static const int lengths[] = {6, 12, 132};
    const int wanted = data[0] < 3 ? lengths[data[0]] : data[0];
    const int16_t expected = int16_t(std::min<size_t>(size_t(wanted), reply.size()));
    gatesim::GateSim &sim = simulator();
    gatesim::Fault fault;
    fault.kind = gatesim::FaultKind::Replace;
    fault.text = reply;
    fault.pieces = 1 + data[1] % 8;
    fault.gapMs = data[2] % 4 == 0 ? 1 : 0;
    sim.ArmFault(fault);
    const size_t handled = sim.Handled();
    const QByteArray untouched(8192, '\x01'); // longer than any input
    LastReply = untouched;
    const bool accepted = SendCommand(QStringLiteral("3600$*"), expected);
    FuzzCheck(sim.WaitForHandled(handled + 1, 5000), "simulator answered");
    FuzzCheck(LastReply != untouched, "a reply that came is kept");
    FuzzCheck(LastReply.size() >= expected, "a reply is taken only once it is long enough");
    FuzzCheck(bytes.startsWith(LastReply), "the reply is what the line carried");
    FuzzCheck(accepted == (ReplyChecksumAgrees(LastReply) && ReplyFits(LastReply, expected)),
              "acceptance is the checksum's and the form's verdict");
    if (LastReply.size() == bytes.size())
        FuzzCheck(accepted == (whole && ReplyFits(bytes, expected)), "whole or in pieces, the same verdict");
    return 0;
}
