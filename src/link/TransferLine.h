#pragma once
// A transfer's hold on its line: the transactions of a transfer are sent
// through Exchange, which sends one again after a time-out or a bad reply
// (up to the retries asked for) and, when the port goes away, closes it,
// waits for the same adapter to come back and sends that command again.
#include "link/Adapter.h"
#include "link/TransferPanel.h"

#include <QString>
#include <cstdint>

namespace modLumentorMGW {

struct TransferPatience
{
    int retries = 0;           // 0 to 5 more tries of a command that failed on the line
    int portWaitSeconds = 60;  // 0: a port gone ends the transfer at once
};

// What the next transfers use (the window's settings, mgw's options).
void SetTransferPatience(const TransferPatience &patience);
TransferPatience CurrentTransferPatience();

// One transfer's line; Exchange uses the newest one alive.
class TransferLine
{
public:
    TransferLine(int16_t port, TransferPanel &panel);
    ~TransferLine();
    TransferLine(const TransferLine &) = delete;
    TransferLine &operator=(const TransferLine &) = delete;

    int Retries() const { return retries_; }
    // What the adapter is known by between runs (ResumePoint.h).
    QString PortKey() const { return AdapterKey(adapter_); }

private:
    friend bool Exchange(const QString &command, int16_t replyLength);
    bool WaitForPort();

    int16_t port_;
    TransferPanel &panel_;
    TransferPatience patience_;
    Adapter adapter_;
    QString redirection_; // the port's own, put back at the end
    bool redirected_ = false;
    int retries_ = 0;
    TransferLine *outer_ = nullptr;
};

// SendCommand as the transfer alive holds its line; SendCommand itself
// outside a transfer. False when the command failed for good: a wait broken
// off or Cancel (CancelRequested set), the tries used up, or the port gone
// and not back in time.
bool Exchange(const QString &command, int16_t replyLength);

// "\r\n1 Retry" or "\r\n3 Retries" for the transfer alive; empty without
// retries.
QString RetriesLine();

} // namespace modLumentorMGW
