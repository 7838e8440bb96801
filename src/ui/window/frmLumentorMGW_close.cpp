// Protocol choice, the discard prompt, closing and exit.
#include "ui/window/frmLumentorMGW.h"

#include "image/ConfigImage.h"
#include "link/MsgBox.h"
#include "link/Transfer.h"

#include <QCloseEvent>

using namespace modLumentorMGW;

// The point list follows the protocol; the image keeps every point.
void frmLumentorMGW::optProtocol_Click(int Index)
{
    if (Index == 0)
        Point750();
    else
        Point350();
}

bool frmLumentorMGW::DiscardChanges()
{
    if (!Dirty)
        return true;
    return MsgBox(QStringLiteral("Discard Any Changes?"), vbYesNoQuestion, QStringLiteral("Arvane Lumentor")) == vbYes;
}

// Every close request, whatever its origin. During a transfer the discard
// prompt comes first, and No leaves the transfer running untouched; once
// allowed, the close acts as Cancel: the transfer stops at its next block,
// and its menu command then closes the window without asking again (so the
// transfer never outlives the window).
void frmLumentorMGW::Form_QueryUnload(bool &cancel)
{
    cancel = false;
    if (!ExitConfirmed && !DiscardChanges()) {
        cancel = true;
        return;
    }
    if (TransferRunning) {
        ExitConfirmed = true;
        CancelRequested = true;
        CloseAfterTransfer = true;
        cancel = true;
    }
}

void frmLumentorMGW::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void frmLumentorMGW::mnuExit_Click()
{
    if (TransferRunning) {
        close(); // a close request like any other
        return;
    }
    if (!DiscardChanges())
        return;
    ExitConfirmed = true;
    close();
}
