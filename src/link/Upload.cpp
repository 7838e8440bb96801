// The upload: every block read into the image, then both bank checksums.
// A cancelled or failed upload leaves no partial image behind.
#include "link/Transfer.h"

#include "image/ConfigImage.h"
#include "link/Hex.h"
#include "link/MsgBox.h"
#include "link/ReplyClock.h"
#include "link/Transaction.h"
#include "link/TransferLine.h"
#include "link/TransferSteps.h"

namespace modLumentorMGW {

using namespace transfer;

namespace {
// The operator learns why first, over `left` (what became of the data);
// only then is the image emptied.
void EndEarly(const QString &text, const QString &left, int style, const QString &title)
{
    MsgBox(text + QStringLiteral("\r\n") + left + RetriesLine(), style, title);
    ClearImage();
}

int16_t Cancelled(const QString &left)
{
    EndEarly(QStringLiteral("Manual Upload Cancel."), left, vbExclamation, QStringLiteral("Upload"));
    return TransferCancelled;
}

// A wait broken off (Ctrl+C, or Cancel while the port was away) fails its
// command: that is a cancel.
int16_t UploadError(int16_t code, const QString &left)
{
    if (WaitBreakAsked() || CancelRequested)
        return Cancelled(left);
    EndEarly(QStringLiteral("Upload Error: ") + QString::number(code) + PortWentAwayLine(), left, vbCritical,
             QStringLiteral("Error"));
    return code;
}

} // namespace

int16_t UploadImage(int16_t port, TransferPanel &panel, const QString &leftBehind)
{
    const QString left = leftBehind.isEmpty() ? QStringLiteral("All Host Data Cleared.") : leftBehind;
    TransferLine line(port, panel);
    if (!OpenGatewayPort(port))
        return PortNotOpened;
    CancelRequested = false;

    panel.SetMax(TotalBlocks);
    panel.SetValue(0);
    int16_t counter = 0;
    const QString verb = QStringLiteral("Uploading");
    for (int16_t bank = 0; bank < 2; ++bank) {
        for (int32_t k = 0; k < BlocksPerBank; ++k) {
            if (CancelBeforeBlock(panel))
                return Cancelled(left);
            const int32_t first = BlockCells * k;
            const QString command = QStringLiteral("39") + QLatin1Char(char('0' + bank)) + Hex4(first) + QStringLiteral("3F");
            if (!Exchange(command, 132)) {
                return UploadError(71, left);
            }
            StoreBlock(bank, first, LastReply);
            CountBlock(panel, counter, verb);
        }
    }

    if (const int16_t code = VerifyBanks(panel))
        return UploadError(code, left);
    MsgBox(QStringLiteral("Upload Complete") + RetriesLine(), vbOKOnly, QStringLiteral("Upload"));
    return TransferComplete;
}

} // namespace modLumentorMGW
