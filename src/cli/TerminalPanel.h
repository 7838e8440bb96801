#pragma once
// The transfer panel on a terminal: progress on standard error, as a bar
// with blocks done, blocks to go and time left when it is a terminal, else
// a line every 10%; Ctrl+C taken as Cancel before the next block.
#include "link/TransferPanel.h"

#include <QElapsedTimer>

class QIODevice;

namespace mgw {

class TerminalPanel : public modLumentorMGW::TransferPanel
{
public:
    TerminalPanel(QIODevice &err, bool terminal, bool quiet) : err_(err), terminal_(terminal), quiet_(quiet) {}

    void ProcessEvents() override;
    void SetMax(int max) override;
    void SetValue(int value) override;
    void SetCaption(const QString &caption) override;

private:
    void DrawBar();

    QIODevice &err_;
    bool terminal_ = false;
    bool quiet_ = false;
    int max_ = 0;
    int value_ = 0;
    int tenths_ = 0; // the last tenth a line was written for
    QElapsedTimer started_;
};

// Ends a bar left on the terminal, so the next message starts a line.
void EndProgressLine(QIODevice &err);

} // namespace mgw
