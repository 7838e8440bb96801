// Download and upload of the whole image: the transfer panel, the Cancel
// button, and a close request that arrives while a transfer runs.
#include "ui/window/frmLumentorMGW.h"

#include "link/Transaction.h"
#include "link/Transfer.h"
#include "ui/window/LineWatch.h"
#include "ui/dialogs/TransferSettingsDialog.h"
#include "ui/window/TransferLock.h"
#include "ui/window/WindowTransferPanel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

using namespace modLumentorMGW;

// The last transfer's caption and progress are gone before the panel shows.
void frmLumentorMGW::ShowTransferPanel(const QString &caption)
{
    lblProgress->setText(QString());
    prgUpDown->setValue(0);
    frmUpDown->setTitle(caption);
    frmUpDown->setVisible(true);
    frmUpDown->raise();
    frmUpDown->repaint();
}

// A close allowed during the transfer was held back until it stopped.
void frmLumentorMGW::CloseIfAsked()
{
    if (!CloseAfterTransfer)
        return;
    CloseAfterTransfer = false;
    close();
}

void frmLumentorMGW::mnuDownload_Click()
{
    if (TransferRunning)
        return;
    {
        TransferLock lock(*this);
        ShowTransferPanel(QStringLiteral("Download To Gateway"));
        WindowTransferPanel panel(prgUpDown, lblProgress);
        LineWatch watch(lblProgress, QStringLiteral("download"), mnuPortLog->isChecked());
        if (watch.ReadyOrSay(QStringLiteral("Download"))) {
            TransferSettingsDialog::Apply();
            const int16_t port = int16_t(cboComPort->currentIndex() + 1);
            RecordTransfer(QStringLiteral("download"),
                           [&] { return ResumeDownload(port, panel, DownloadImage(port, panel)); });
        }
        CloseGatewayPort();
        frmUpDown->setVisible(false);
    }
    CloseIfAsked();
}

void frmLumentorMGW::mnuUpload_Click()
{
    if (TransferRunning)
        return;
    int16_t outcome = PortNotOpened;
    {
        TransferLock lock(*this);
        ShowTransferPanel(QStringLiteral("Upload From Gateway"));
        WindowTransferPanel panel(prgUpDown, lblProgress);
        LineWatch watch(lblProgress, QStringLiteral("upload"), mnuPortLog->isChecked());
        if (watch.ReadyOrSay(QStringLiteral("Upload"))) {
            TransferSettingsDialog::Apply();
            outcome = RecordTransfer(QStringLiteral("upload"),
                                     [&] { return UploadImage(int16_t(cboComPort->currentIndex() + 1), panel); });
        }
        CloseGatewayPort();
        ShowData();
        frmUpDown->setVisible(false);
    }
    // A port that would not open left the image as it was, and its history with it.
    if (outcome != PortNotOpened)
        ImageReplaced();
    CloseIfAsked();
}

void frmLumentorMGW::cmdCancel_Click()
{
    CancelRequested = true;
}
