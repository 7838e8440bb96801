// Protocol choice, the discard prompt, closing and exit.
#include "ui/frmLumentorMGW.h"

#include "image/ConfigImage.h"
#include "link/MsgBox.h"

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

// Every close request, whatever its origin. A running transfer owns the
// port and the window's event loop: the window stays until it has ended.
void frmLumentorMGW::Form_QueryUnload(bool &cancel)
{
    cancel = false;
    if (TransferRunning) {
        cancel = true;
        return;
    }
    if (ExitConfirmed)
        return;
    cancel = !DiscardChanges();
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
    if (TransferRunning || !DiscardChanges())
        return;
    ExitConfirmed = true;
    close();
}
