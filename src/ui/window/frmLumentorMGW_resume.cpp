// The offer to resume a download that stopped part way.
#include "ui/window/frmLumentorMGW.h"

#include "link/MsgBox.h"
#include "link/ResumePoint.h"
#include "link/Transaction.h"
#include "link/Transfer.h"

using namespace modLumentorMGW;

// Right after the error or cancel box: the operator chooses to go on from the
// first block not confirmed, as often as it stops, or to leave it.
int16_t frmLumentorMGW::ResumeDownload(int16_t port, TransferPanel &panel, int16_t outcome)
{
    // A window closed during the download asks nothing more.
    while (outcome != TransferComplete && outcome != PortNotOpened && !CloseAfterTransfer) {
        const int16_t from = ResumableBlock(port);
        if (from == NothingToResume)
            break;
        const QString question = from < 2048 ? QStringLiteral("Resume the download from block %1?").arg(BlockOfTotal(from))
                                             : QStringLiteral("Resume the download at its bank checks?\r\n"
                                                              "All 2,048 blocks were written.");
        if (MsgBox(question, vbYesNoQuestion, QStringLiteral("Download")) != vbYes)
            break;
        CloseGatewayPort();
        outcome = DownloadImage(port, panel, from);
    }
    return outcome;
}
