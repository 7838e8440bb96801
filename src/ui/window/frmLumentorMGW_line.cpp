// The Port menu: Test Connection... (the probe, its text in a box), Log The
// Line (remembered: a line log and a capture of every transfer) and Transfer
// Settings... (retries, the wait for an adapter gone).
#include "ui/window/frmLumentorMGW.h"

#include "link/MsgBox.h"
#include "link/Probe.h"
#include "ui/dialogs/TransferSettingsDialog.h"
#include "ui/window/LineWatch.h"
#include "ui/window/ProgramSettings.h"
#include "ui/window/TransferLock.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

using namespace modLumentorMGW;

namespace {
const QString LogKey = QStringLiteral("line/log");
} // namespace

void frmLumentorMGW::CreatePortMenu()
{
    mnuPort = menuBar()->addMenu(QStringLiteral("Port"));
    mnuPort->setObjectName(QStringLiteral("mnuPort"));
    mnuPortTest = mnuPort->addAction(QStringLiteral("Test Connection..."));
    mnuPortTest->setObjectName(QStringLiteral("mnuPortTest"));
    mnuPortLog = mnuPort->addAction(QStringLiteral("Log The Line"));
    mnuPortLog->setObjectName(QStringLiteral("mnuPortLog"));
    mnuPortLog->setCheckable(true);
    mnuPortLog->setChecked(ProgramSettings().value(LogKey, false).toBool());
    mnuPort->addSeparator();
    mnuPortTransfer = mnuPort->addAction(QStringLiteral("Transfer Settings..."));
    mnuPortTransfer->setObjectName(QStringLiteral("mnuPortTransfer"));
    connect(mnuPortTransfer, &QAction::triggered, this, [this] { TransferSettingsDialog::Edit(this); });
    connect(mnuPortTest, &QAction::triggered, this, &frmLumentorMGW::mnuPortTest_Click);
    connect(mnuPortLog, &QAction::toggled, this, [](bool on) { ProgramSettings().setValue(LogKey, on); });
}

void frmLumentorMGW::mnuPortTest_Click()
{
    if (TransferRunning)
        return;
    ProbeReport report;
    {
        TransferLock lock(*this);
        ShowTransferPanel(QStringLiteral("Test Connection"));
        LineWatch watch(lblProgress, QStringLiteral("test"), mnuPortLog->isChecked());
        const bool ready = watch.ReadyOrSay(QStringLiteral("Test Connection"));
        if (ready) {
            lblProgress->setText(QStringLiteral("Testing The Line..."));
            lblProgress->repaint();
            report = ProbeGateway(int16_t(cboComPort->currentIndex() + 1));
        }
        frmUpDown->setVisible(false);
        if (!ready)
            return;
    }
    QString text = report.text;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    MsgBox(text, report.verdict == ProbeVerdict::Answers ? vbInformation : vbExclamation,
           QStringLiteral("Test Connection"));
    CloseIfAsked();
}
