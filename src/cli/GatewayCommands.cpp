// download, upload and verify: the window's transfers and bank check on
// the port named by --port, their outcome as the exit status.
#include "cli/Invocation.h"
#include "cli/TerminalPanel.h"

#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "link/PortList.h"
#include "link/Transaction.h"
#include "link/Transfer.h"
#include "link/VerifyBank.h"

#include <QDir>
#include <QFileInfo>

using namespace modLumentorMGW;

namespace mgw {

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
int RunTransfer(const Invocation &call, Transfer transfer)
{
    TerminalPanel panel(call.console.err, call.console.terminal, call.quiet);
    const int16_t outcome = transfer(PortNumberFor(call.port), panel);
    CloseGatewayPort();
    return ExitStatus(outcome);
}
} // namespace

int Download(const Invocation &call)
{
    if (!call.ReadMap(call.files[0]))
        return ExitUsage;
    return RunTransfer(call, DownloadImage);
}

// The file is written only after a complete upload, and atomically, so a
// failed or cancelled one never leaves a partial or empty map file.
int Upload(const Invocation &call)
{
    const QString file = call.files[0];
    // Refused before anything is sent when the file could not take it: the
    // folder takes a new file, or the file itself is written in place.
    const QFileInfo target(file);
    if (target.isDir() || !(QFileInfo(target.absolutePath()).isWritable() || (target.exists() && target.isWritable())))
        return call.Refuse(QStringLiteral("cannot write %1").arg(file));
    const int status = RunTransfer(call, UploadImage);
    if (status != 0)
        return status;
    FileName = file;
    QString reason;
    if (!WriteImageFile(&reason))
        return call.Refuse(QStringLiteral("cannot write %1: %2").arg(file, reason));
    return 0;
}

// Two transactions, one "3F" a bank; nothing is written to the gateway.
int Verify(const Invocation &call)
{
    const QString file = call.files[0];
    if (!call.ReadMap(file))
        return ExitUsage;
    if (!OpenGatewayPort(PortNumberFor(call.port)))
        return ExitPort;
    QStringList differing;
    int status = 0;
    for (int16_t bank = 0; bank < 2 && status == 0; ++bank) {
        const int16_t code = VerifyBank(bank);
        if (code == 52) {
            call.Say(QStringLiteral("Verify Error: 52"));
            status = code;
        } else if (code) {
            differing << QStringLiteral("Gateway Differs From %1 In Memory Bank: %2").arg(file).arg(bank);
        }
    }
    CloseGatewayPort();
    if (status)
        return status;
    if (differing.isEmpty()) {
        call.Print(QStringLiteral("Gateway Matches %1").arg(file));
        return 0;
    }
    call.Print(differing.join(QLatin1Char('\n')));
    return ExitDiffers;
}

} // namespace mgw
