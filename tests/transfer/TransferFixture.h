#pragma once
// The real window against the gateway simulator behind COM1, with what the
// transfer panel shows recorded as the operator would see it.
#include "common/WindowFixture.h"
#include "transfer/GatewaySide.h"

#include "link/MSComm.h"

// What every download failure ends with.
inline const QString DownloadWarning = "\r\nLumentor Controller May Not Function\r\nProperly Until A Download Is Complete.";

// Every caption a label is painted with, repeats dropped.
struct CaptionLog : QObject {
    bool eventFilter(QObject *label, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false; // a label being destroyed is no longer a QLabel
        const QString text = static_cast<QLabel *>(label)->text();
        if (!text.isEmpty() && (seen.empty() || seen.back() != text))
            seen.push_back(text);
        return false;
    }
    std::vector<QString> seen;
};

class TransferTest : public WindowFixture {
protected:
    const NoSystemPorts noSystemPorts;

    void SetUp() override
    {
        WindowFixture::SetUp();
        // Shown only where the screen is looked at: a shown window paints the
        // panel at every block, which costs more than the transfer.
        window->hide();
        window->lblProgress->installEventFilter(&captions);
    }

    std::vector<std::string> Commands() const { return CommandsOf(gateway.sim); }
    size_t Sent(const std::string &prefix) const { return SentOf(gateway.sim, prefix); }

    bool Saw(const QString &caption) const
    {
        return std::find(captions.seen.begin(), captions.seen.end(), caption) != captions.seen.end();
    }

    void Run(QAction *command)
    {
        boxes.Clear();
        captions.seen.clear();
        gateway.sim.ClearJournal();
        command->trigger();
    }

    // How many of the controls a transfer locks are disabled.
    int Locked() const
    {
        return !window->chkResend->isEnabled() + !window->cboPoint->isEnabled() + !window->cboSNode->isEnabled()
               + !window->mnuFile->menuAction()->isEnabled() + !window->mnuUpload->isEnabled();
    }

    // After every outcome: port closed, panel hidden, the window usable again.
    void ExpectWindowBack() const
    {
        EXPECT_FALSE(modLumentorMGW::comMGW.PortOpen());
        EXPECT_TRUE(window->frmUpDown->isHidden());
        EXPECT_EQ(Locked(), 0);
    }

    SimulatedGateway gateway;
    CaptionLog captions;
};
