// The commissioning record from the window: each download and upload adds
// its line, View > Transfer Record... shows them, and a record that cannot
// be written is said once, never failing a transfer.
#include "ui/window/frmLumentorMGW.h"

#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "link/MsgBox.h"
#include "link/PortDevice.h"
#include "link/Transfer.h"
#include "record/RecordFile.h"
#include "record/RunReport.h"
#include "ui/record/TransferRecordView.h"

#include <QTableView>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>

using namespace modLumentorMGW;

namespace {
bool failureSaid = false; // once a session: the operator knows after the first

// As mgw's exit status would be, so both programs' lines read alike.
int StatusOf(int16_t outcome)
{
    return outcome == TransferCancelled ? 130 : outcome == PortNotOpened ? 3 : outcome;
}
} // namespace

void frmLumentorMGW::CreateRecordEntry()
{
    QMenu *mnuView = menuBar()->addMenu(QStringLiteral("View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    QAction *entry = mnuView->addAction(QStringLiteral("Transfer Record..."));
    entry->setObjectName(QStringLiteral("mnuViewRecord"));
    connect(entry, &QAction::triggered, this, [this] {
        auto *view = findChild<TransferRecordView *>();
        if (!view)
            view = new TransferRecordView(this);
        view->ShowPort(ChosenPortName());
        view->Reload();
        view->show();
        view->raise();
        view->activateWindow();
        view->View()->setFocus(); // the table, not the gateway's name, takes the keys first
    });
}

int16_t frmLumentorMGW::RecordTransfer(const QString &command, const std::function<int16_t()> &transfer)
{
    const int16_t port = int16_t(cboComPort->currentIndex() + 1);
    const QString name = ChosenPortName();
    RunReport report(QStringLiteral("LumentorMGW"), QStringLiteral(MGW_VERSION), command, {});
    const QString device = OpenedDevice(PortDevice(port));
    report.SetPort(name, device);
    if (command == QLatin1String("download"))
        report.AddFile(QStringLiteral("map"), FileName == QLatin1String("None") ? QString() : FileName, ImageFileBytes());
    // The operator's message is what the boxes said.
    const MsgBoxHandler shown = SetMsgBoxHandler(nullptr);
    SetMsgBoxHandler([&](const QString &text, int style, const QString &title) {
        report.AddMessage(text);
        return shown ? shown(text, style, title) : UnattendedAnswer(style);
    });
    const int16_t outcome = transfer();
    SetMsgBoxHandler(shown);
    if (command == QLatin1String("upload") && outcome == TransferComplete)
        report.AddFile(QStringLiteral("map"), QString(), ImageFileBytes());
    report.Finish(StatusOf(outcome));
    report.AddWhereAndWho(GatewayNameOf(name));
    QString reason;
    const QString path = RecordPath();
    if (!AppendRecordLine(path, report.Line(), &reason) && !failureSaid) {
        failureSaid = true;
        MsgBox(QStringLiteral("The Transfer Record Was Not Written:\r\n%1\r\n%2").arg(path, reason), vbExclamation,
               QStringLiteral("Transfer Record"));
    }
    if (auto *view = findChild<TransferRecordView *>())
        view->Reload();
    return outcome;
}
