#pragma once
// The real window against the gateway simulator behind COM1, with what the
// transfer panel shows recorded as the operator would see it.
#include "common/SimulatedGateway.h"
#include "common/WindowFixture.h"

#include "link/MSComm.h"
#include "link/PortDevice.h"

#include <QEvent>
#include <QMenu>
#include <string>

// Every caption lblProgress is painted with, repeats dropped.
class CaptionLog : public QObject {
public:
    explicit CaptionLog(QLabel *label) : label_(label) { label->installEventFilter(this); }
    std::vector<QString> seen;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QString text = label_->text();
        if (event->type() == QEvent::Paint && !text.isEmpty() && (seen.empty() || seen.back() != text))
            seen.push_back(text);
        return false;
    }

private:
    QLabel *label_;
};

class TransferTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        captions = std::make_unique<CaptionLog>(window->lblProgress);
    }

    // Command texts the gateway received, without "[", sum, "00" and "]".
    std::vector<std::string> Commands() const
    {
        std::vector<std::string> out;
        for (const std::string &frame : gateway.sim.Journal())
            out.push_back(frame.substr(5, frame.size() - 6));
        return out;
    }

    // The first storage index whose gateway cell is not the image's low byte, or -1.
    static int FirstDifference(const int16_t *image, const gatesim::Gateway &memory)
    {
        for (int i = 0; i < modLumentorMGW::CellCount; ++i) {
            if (memory.Cell(i % 2, i / 2) != uint8_t(image[i]))
                return i;
        }
        return -1;
    }

    void Run(QAction *command)
    {
        boxes.Clear();
        captions->seen.clear();
        gateway.sim.ClearJournal();
        command->trigger();
    }

    // After every outcome: port closed, panel hidden, the window usable again.
    void ExpectWindowBack() const
    {
        EXPECT_FALSE(modLumentorMGW::comMGW.PortOpen());
        EXPECT_FALSE(window->frmUpDown->isVisible());
        EXPECT_FALSE(window->TransferRunning);
        for (QWidget *w : OtherControls())
            EXPECT_TRUE(w->isEnabled()) << qPrintable(w->objectName());
        for (QAction *a : {window->mnuFileOpen, window->mnuExit, window->mnuDownload, window->mnuUpload})
            EXPECT_TRUE(a->isEnabled()) << qPrintable(a->objectName());
    }

    std::vector<QWidget *> OtherControls() const
    {
        return {window->chkResend, window->cboComPort, window->optProtocol[0], window->optProtocol[1],
                window->cboTimeout, window->cboPoint, window->cboType, window->cboSNode, window->cmdAMRly,
                window->cboLLGrp, window->cboIInp, window->cboMNode, window->lblMInc[0]};
    }

    SimulatedGateway gateway;
    std::unique_ptr<CaptionLog> captions;
};
