// The probe: five bank checksum commands and what came back, judged.
#include "link/Probe.h"

#include "link/LineObserver.h"
#include "link/MSComm.h"
#include "link/MsgBox.h"
#include "link/PortDevice.h"
#include "link/PortIdentity.h"
#include "link/ReplyClock.h"
#include "link/Transaction.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace modLumentorMGW {

namespace {
// One command and its answer, as the line's watchers were told.
struct Exchange
{
    QByteArray sent, back;
    double sentMs = 0, backMs = 0;
    bool arrived = false, good = false, fits = false;
};

class Recorder : public LineObserver
{
public:
    void Seen(const LineEvent &event) override
    {
        if (event.kind == LineEventKind::Sent) {
            exchanges.push_back({event.bytes, {}, event.ms, 0, false, false, false});
        } else if (!exchanges.empty()
                   && (event.kind == LineEventKind::Received || event.kind == LineEventKind::TimedOut)) {
            Exchange &x = exchanges.back();
            x.back = event.bytes;
            x.backMs = event.ms;
            x.arrived = event.kind == LineEventKind::Received;
            x.good = event.good;
            x.fits = event.good || event.text.startsWith(QLatin1String("checksum"));
        }
    }
    std::vector<Exchange> exchanges;
};

// A loopback hands the frame itself back, whole or as far as it came.
bool Echoed(const Exchange &x)
{
    const int n = int(std::min(x.back.size(), x.sent.size()));
    return n > 0 && x.back.left(n) == x.sent.left(n);
}

QString Ms(double ms)
{
    return QString::number(ms, 'f', 1) + QStringLiteral(" ms");
}

QString Advice(ProbeVerdict verdict, int damaged, int answered)
{
    switch (verdict) {
    case ProbeVerdict::Answers:
        return QStringLiteral("The gateway answers.");
    case ProbeVerdict::Silent:
        return answered ? QStringLiteral("The gateway answered %1 times, then nothing came back within %2 ms.\n"
                                         "Check the cable's plugs and the gateway's power supply.")
                              .arg(answered)
                              .arg(ReplyTimeoutMs)
                        : QStringLiteral("Nothing came back within %1 ms.\n"
                                         "Check that the gateway is powered, that the cable is plugged in at both "
                                         "ends, and that TX and RX are not crossed the wrong way (a null-modem "
                                         "cable or adapter where a straight one belongs, or the other way round).")
                              .arg(ReplyTimeoutMs);
    case ProbeVerdict::Echo:
        return QStringLiteral("The line echoes what is sent: TX and RX are joined.\n"
                              "A loopback plug is on the port, or a two-wire adapter echoes what it sends; "
                              "connect the gateway's cable, or set the adapter not to echo.");
    case ProbeVerdict::NoFrame:
        return QStringLiteral("Characters came back, but no reply frame.\n"
                              "The device on this port speaks at another speed than 38400 baud, or it is not "
                              "the gateway: check the gateway's port settings and that this is its port.");
    case ProbeVerdict::Damaged:
        return QStringLiteral("Replies came back damaged: %1 of %2 checksums wrong.\n"
                              "The line is noisy: check the cable's screen and grounding, its length, and keep "
                              "it away from mains and motor wiring.")
            .arg(damaged)
            .arg(answered);
    case ProbeVerdict::Interrupted:
        return QStringLiteral("Probe interrupted.");
    case ProbeVerdict::PortClosed:
        break;
    }
    return QString();
}
} // namespace

ProbeReport ProbeGateway(int16_t port)
{
    ProbeReport report;
    QStringList lines{QStringLiteral("Port: %1").arg(PortDevice(port))};
    QString refusal;
    const MsgBoxHandler previous = SetMsgBoxHandler([&refusal](const QString &text, int, const QString &) {
        refusal = text;
        return vbOK;
    });
    const bool opened = OpenGatewayPort(port);
    SetMsgBoxHandler(previous);
    if (!opened) {
        report.verdict = ProbeVerdict::PortClosed;
        report.text = (lines << refusal).join(QLatin1Char('\n'));
        return report;
    }
    const PortIdentity identity = IdentifyPort(OpenedDevice(PortDevice(port)));
    lines << DescribePort(identity);
    lines << QStringLiteral("Latency timer: %1; low latency: %2")
                 .arg(identity.latencyTimerMs < 0 ? QStringLiteral("none") : QStringLiteral("%1 ms").arg(identity.latencyTimerMs),
                      comMGW.LowLatencyState());
    if (identity.latencyTimerMs > 2)
        lines << QStringLiteral("The adapter holds every short reply up to %1 ms: set its latency timer to 1 ms, %2.")
                     .arg(identity.latencyTimerMs)
                     .arg(identity.latencyHowTo);

    Recorder recorder;
    AddLineObserver(&recorder);
    for (int i = 0; i < ProbeCommands && !WaitBreakAsked(); ++i) {
        const size_t before = recorder.exchanges.size();
        SendCommand(QStringLiteral("3F00000FFFF"), 12);
        if (recorder.exchanges.size() == before || !recorder.exchanges.back().arrived)
            break; // a silent line: one reply time is enough to say so
    }
    RemoveLineObserver(&recorder);
    CloseGatewayPort();

    std::vector<double> trips;
    int answered = 0, damaged = 0;
    bool echo = false, noFrame = false, timedOut = false;
    for (const Exchange &x : recorder.exchanges) {
        echo = echo || Echoed(x);
        timedOut = timedOut || !x.arrived;
        noFrame = noFrame || (!x.back.isEmpty() && !x.fits);
        if (x.fits) {
            ++answered;
            damaged += !x.good;
            trips.push_back(x.backMs - x.sentMs);
        }
    }
    report.verdict = WaitBreakAsked() ? ProbeVerdict::Interrupted
                     : echo           ? ProbeVerdict::Echo
                     : noFrame        ? ProbeVerdict::NoFrame
                     : damaged        ? ProbeVerdict::Damaged
                     : timedOut       ? ProbeVerdict::Silent
                                      : ProbeVerdict::Answers;
    if (!trips.empty()) {
        std::sort(trips.begin(), trips.end());
        const double median = trips[trips.size() / 2];
        lines << QStringLiteral("Bank checksum command: %1 of %2 answered; round trip median %3, worst %4")
                     .arg(answered)
                     .arg(recorder.exchanges.size())
                     .arg(Ms(median), Ms(trips.back()));
        lines << QStringLiteral("Line time: command 17 characters %1, reply 12 characters %2")
                     .arg(Ms(LineMs(17)), Ms(LineMs(12)));
        lines << QStringLiteral("On this line a dense download takes about %1 s, a full upload about %2 s")
                     .arg(QString::number(DenseDownloadSeconds(median), 'f', 1),
                          QString::number(FullUploadSeconds(median), 'f', 1));
    } else {
        lines << QStringLiteral("Bank checksum command: %1 sent, none answered").arg(recorder.exchanges.size());
    }
    lines << Advice(report.verdict, damaged, answered);
    report.text = lines.join(QLatin1Char('\n'));
    return report;
}

} // namespace modLumentorMGW
