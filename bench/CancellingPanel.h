#pragma once
// The window's own transfer panel, with Cancel pressed once a given number
// of blocks are done: a paced transfer can then be cut to a sample.
#include "LineLog.h"

#include "link/Transfer.h"
#include "ui/window/WindowTransferPanel.h"
#include "ui/window/frmLumentorMGW.h"

#include <QElapsedTimer>

namespace bench {

// Wall and CPU time from Start() to the moment Cancel is pressed; `process`
// is the whole process's CPU less the simulator thread's.
class CancellingPanel : public modLumentorMGW::TransferPanel
{
public:
    CancellingPanel(frmLumentorMGW &w, int blocks, LineLog &log)
        : inner_(w.prgUpDown, w.lblProgress), blocks_(blocks), log_(log)
    {
    }

    void ProcessEvents() override
    {
        if (calls_++ == blocks_) {
            wall = clock_.nsecsElapsed() / 1e9;
            thread = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - thread0_;
            process = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process0_ - (log_.SimCpu() - sim0_);
            modLumentorMGW::CancelRequested = true;
        }
        inner_.ProcessEvents();
    }
    void SetMax(int max) override { inner_.SetMax(max); }
    void SetValue(int value) override { inner_.SetValue(value); }
    void SetCaption(const QString &caption) override { inner_.SetCaption(caption); }

    void Start()
    {
        thread0_ = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        process0_ = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        sim0_ = log_.SimCpu();
        clock_.start();
    }

    double wall = 0, thread = 0, process = 0;

private:
    WindowTransferPanel inner_;
    int blocks_ = 0;
    int calls_ = 0;
    LineLog &log_;
    QElapsedTimer clock_;
    double thread0_ = 0, process0_ = 0, sim0_ = 0;
};

} // namespace bench
