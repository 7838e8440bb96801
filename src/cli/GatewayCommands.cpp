// download, upload and verify: the window's transfers and bank check on
// the port named by --port, their outcome as the exit status.
#include "cli/Invocation.h"
#include "cli/TerminalPanel.h"

#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "image/WholeFile.h"
#include "link/PortDevice.h"
#include "link/PortList.h"
#include "link/ReplyClock.h"
#include "link/ResumePoint.h"
#include "link/Transaction.h"
#include "link/Transfer.h"
#include "link/TransferLine.h"
#include "link/VerifyBank.h"
#include "record/RunReport.h"

#include <QIODevice>
#include <QJsonObject>

#include <vector>

using namespace modLumentorMGW;

namespace mgw {

int16_t ReportedPort(const Invocation &call)
{
    const int16_t port = PortNumberFor(call.port);
    call.report->SetPort(call.port, OpenedDevice(PortDevice(port)));
    return port;
}

namespace {
int ExitStatus(int16_t outcome)
{
    switch (outcome) {
    case TransferCancelled:
        return ExitInterrupted;
    case PortNotOpened:
        return ExitPort;
    default:
        return outcome;
    }
}

template <class Transfer>
int RunTransfer(const Invocation &call, Transfer transfer, std::vector<bool> sent = {})
{
    TerminalPanel panel(call.console.err, call.console.terminal, call.quiet, std::move(sent));
    SetTransferPatience({call.retries, call.waitPort});
    const int16_t outcome = transfer(ReportedPort(call), panel);
    CloseGatewayPort();
    return ExitStatus(outcome);
}

// The blocks a download sends, in transfer order: those holding a nonzero cell.
std::vector<bool> BlocksSent()
{
    std::vector<bool> sent(2048, false);
    for (int i = 0; i < CellCount; ++i) {
        if (ConfigImage[i] != 0)
            sent[size_t(i % 2 * 1024 + i / 2 / 64)] = true; // bank, then block of 64 addresses
    }
    return sent;
}
} // namespace

// With --resume, only from where the last download of this map through
// this port stopped, and nothing is sent when there is no such place.
int Download(const Invocation &call)
{
    if (!call.ReadMap(call.files[0], true))
        return ExitUsage;
    call.report->AddFile(QStringLiteral("map"), call.files[0], ImageFileBytes());
    const int16_t port = PortNumberFor(call.port);
    QString reason;
    int16_t from = -1;
    if (call.resume) {
        from = ResumableBlock(port, &reason);
        if (from == NothingToResume)
            return call.Refuse(QStringLiteral("nothing to resume: %1").arg(reason));
        call.Say(QStringLiteral("Resuming From Block %1").arg(BlockOfTotal(from)));
        call.report->Set(QStringLiteral("resumed_after"), from); // blocks confirmed before this run
    }
    const int status = RunTransfer(call, [from](int16_t p, TransferPanel &panel) { return DownloadImage(p, panel, from); },
                                   BlocksSent());
    const int16_t next = status != 0 && status != ExitPort ? ResumableBlock(port) : NothingToResume;
    if (next != NothingToResume) {
        call.report->Set(QStringLiteral("resumable_after"), next); // blocks confirmed: --resume goes on from there
        call.Say(QStringLiteral("To go on from block %1: mgw download %2 --port %3 --resume")
                     .arg(BlockOfTotal(next), call.files[0], call.port));
    }
    return status;
}

// The file is written only after a complete upload, and atomically, so a
// failed or cancelled one never leaves a partial or empty map file. Its room
// is taken before the first command: a file that cannot be written is
// refused at once, not after the whole transfer. "-" is standard output.
int Upload(const Invocation &call)
{
    const QString file = call.files[0];
    const bool toOutput = file == QLatin1String("-");
    if (toOutput && call.json)
        return call.Refuse(QStringLiteral("--json takes standard output: the map cannot go there too (FILE -)"));
    WholeFile target(file);
    QString reason;
    if (!toOutput && !target.Reserve(MapFileSize, &reason))
        return call.Refuse(QStringLiteral("cannot write %1: %2").arg(file, reason));
    const QString kept = toOutput ? QStringLiteral("Nothing Written.") : QStringLiteral("File Left As It Was: ") + file;
    const int status = RunTransfer(call, [&kept](int16_t port, TransferPanel &panel) {
        return UploadImage(port, panel, kept);
    });
    if (status != 0)
        return status;
    call.report->AddFile(QStringLiteral("map"), file, ImageFileBytes());
    if (toOutput) {
        call.console.out.write(ImageFileBytes());
        return 0;
    }
    if (!target.Commit(ImageFileBytes(), &reason)) {
        call.report->SetResult(QStringLiteral("failed"));
        return call.Refuse(QStringLiteral("cannot write %1: %2").arg(file, reason));
    }
    return 0;
}

// Two transactions, one "3F" a bank; nothing is written to the gateway.
int Verify(const Invocation &call)
{
    const QString file = call.files[0];
    if (!call.ReadMap(file, true))
        return ExitUsage;
    call.report->AddFile(QStringLiteral("map"), file, ImageFileBytes());
    if (!OpenGatewayPort(ReportedPort(call)))
        return ExitPort;
    QStringList differing;
    int status = 0;
    for (int16_t bank = 0; bank < 2 && status == 0; ++bank) {
        const int16_t code = VerifyBank(bank);
        if (WaitBreakAsked()) {
            call.Say(QStringLiteral("Manual Verify Cancel."));
            status = ExitInterrupted;
        } else if (code == 52) {
            call.Say(QStringLiteral("Verify Error: 52") + PortWentAwayLine());
            status = code;
        } else if (code) {
            differing << QStringLiteral("Gateway Differs From %1 In Memory Bank: %2").arg(file).arg(bank);
        }
    }
    CloseGatewayPort();
    if (status)
        return status;
    const bool matches = differing.isEmpty();
    const QString said = matches ? QStringLiteral("Gateway Matches %1").arg(file) : differing.join(QLatin1Char('\n'));
    call.report->AddMessage(said);
    call.Print(said);
    return matches ? 0 : ExitDiffers;
}

} // namespace mgw
