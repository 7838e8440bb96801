#pragma once
// The transfer panel on a terminal: progress on standard error, as a bar
// with blocks done, blocks to go and time left when it is a terminal, else
// a line every 10%; Ctrl+C taken as Cancel before the next block. The time
// left is the blocks still to send at the rate measured so far, and is not
// shown until there is a rate.
#include "link/TransferPanel.h"

#include <QElapsedTimer>

#include <vector>

class QIODevice;

namespace mgw {

class TerminalPanel : public modLumentorMGW::TransferPanel
{
public:
    // sent: which blocks, in transfer order, really go over the line (the
    // time left is theirs); empty: every block.
    TerminalPanel(QIODevice &err, bool terminal, bool quiet, const std::vector<bool> &sent = {});

    void ProcessEvents() override;
    void SetMax(int max) override;
    void SetValue(int value) override;
    void SetCaption(const QString &caption) override;

private:
    void DrawBar();
    // How many of the first `blocks` blocks are sent.
    int Sent(int blocks) const;

    QIODevice &err_;
    bool terminal_ = false;
    bool quiet_ = false;
    int max_ = 0;
    int value_ = 0;
    int tenths_ = 0; // the last tenth a line was written for
    bool counting_ = false; // the last caption was a wait's countdown
    QElapsedTimer started_;
    std::vector<int> sentBefore_; // sentBefore_[n]: blocks sent among the first n
};

// Ends a bar left on the terminal, so the next message starts a line.
void EndProgressLine(QIODevice &err);

} // namespace mgw
