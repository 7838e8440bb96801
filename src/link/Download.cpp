// The download: four preparing commands, every block that holds a nonzero
// cell, then both bank checksums.
#include "link/Transfer.h"

#include "image/ConfigImage.h"
#include "link/MsgBox.h"
#include "link/ReplyClock.h"
#include "link/ResumePoint.h"
#include "link/Transaction.h"
#include "link/TransferLine.h"
#include "link/TransferSteps.h"

namespace modLumentorMGW {

using namespace transfer;

namespace {
const QString Warning = QStringLiteral("\r\nLumentor Controller May Not Function"
                                       "\r\nProperly Until A Download Is Complete.");

int16_t Cancelled()
{
    MsgBox(QStringLiteral("Manual Download Cancel.") + Warning + RetriesLine(), vbExclamation,
           QStringLiteral("Download"));
    return TransferCancelled;
}

// A wait broken off (Ctrl+C, or Cancel while the port was away) fails its
// command: that is a cancel.
int16_t DownloadError(int16_t code)
{
    if (WaitBreakAsked() || CancelRequested)
        return Cancelled();
    MsgBox(QStringLiteral("Download Error: ") + QString::number(code) + PortWentAwayLine() + Warning + RetriesLine(),
           vbCritical, QStringLiteral("Error"));
    return code;
}

bool BlockIsBlank(int16_t bank, int32_t first)
{
    const int16_t *cell = ConfigImage + bank + 2 * first;
    for (int j = 0; j < BlockCells; ++j, cell += 2) {
        if (*cell != 0)
            return false;
    }
    return true;
}

// "38" + bank digit + Hex4(first) + "3F" + Hex2 of each cell: 137
// characters, written in place rather than joined from 64 small texts.
QString BlockWriteCommand(int16_t bank, int32_t first)
{
    static const char Digits[] = "0123456789ABCDEF";
    QString command(9 + 2 * BlockCells, Qt::Uninitialized);
    QChar *out = command.data();
    const auto put = [&out](unsigned digit) { *out++ = QLatin1Char(Digits[digit & 0xF]); };
    *out++ = QLatin1Char('3');
    *out++ = QLatin1Char('8');
    put(unsigned(bank));
    for (int shift = 12; shift >= 0; shift -= 4)
        put(unsigned(first) >> shift);
    *out++ = QLatin1Char('3');
    *out++ = QLatin1Char('F');
    const int16_t *cell = ConfigImage + bank + 2 * first;
    for (int j = 0; j < BlockCells; ++j, cell += 2) {
        const unsigned value = uint16_t(*cell); // the low byte goes out
        put(value >> 4);
        put(value);
    }
    return command;
}
} // namespace

int16_t DownloadImage(int16_t port, TransferPanel &panel, int16_t from)
{
    TransferLine line(port, panel);
    if (!OpenGatewayPort(port))
        return PortNotOpened;
    CancelRequested = false;
    const QString key = line.PortKey();

    // A resume sends no prepare command: they would clear what was written.
    static const char *const Prepare[] = {"3600$*", "3601$*", "3610$*", "3611$*"};
    if (from < 0) {
        RecordDownloadStart(key);
        for (int16_t i = 0; i < 4; ++i) {
            if (!Exchange(QLatin1String(Prepare[i]), 6))
                return DownloadError(int16_t(21 + i));
        }
    }

    panel.SetMax(TotalBlocks);
    panel.SetValue(0);
    int16_t counter = 0;
    const QString verb = QStringLiteral("Downloading");
    for (int16_t bank = 0; bank < 2; ++bank) {
        for (int32_t k = 0; k < BlocksPerBank; ++k) {
            const int16_t index = int16_t(bank * BlocksPerBank + k);
            if (index >= from && CancelBeforeBlock(panel)) {
                RecordDownloadStop(key, index);
                return Cancelled();
            }
            const int32_t first = BlockCells * k;
            if (index >= from && !BlockIsBlank(bank, first) && !Exchange(BlockWriteCommand(bank, first), 6)) {
                RecordDownloadStop(key, index);
                return DownloadError(4);
            }
            CountBlock(panel, counter, verb);
        }
    }

    // No answer to a bank check can be asked again; a gateway that answers
    // with another checksum holds another memory, and only a download from
    // the start mends that.
    if (const int16_t code = VerifyBanks(panel)) {
        RecordDownloadStop(key, code == 52 ? TotalBlocks : NothingToResume);
        return DownloadError(code);
    }
    RecordDownloadComplete(key);
    MsgBox(QStringLiteral("Download Complete") + RetriesLine(), vbOKOnly, QStringLiteral("Download"));
    return TransferComplete;
}

} // namespace modLumentorMGW
