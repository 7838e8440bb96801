#pragma once
// The serial port object, with the operations of the serial control the
// link is written against, over the platform's serial line (SerialLine.h).
// Used without an event loop: every operation first takes in what the OS
// already holds, and waiting blocks on the device instead of spinning.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

namespace modLumentorMGW {

class SerialLine;

// What a wait in the port waits for: more input, or pending output leaving.
enum class PortWait { Input, Output };
// Progress: input arrived, or output left (or none was pending).
// Failed: nothing more can move (closed, failed, device gone).
enum class Waited { Progress, TimedOut, Failed };

class MSComm
{
public:
    MSComm();
    MSComm(const MSComm &) = delete;
    MSComm &operator=(const MSComm &) = delete;
    ~MSComm();

    // Port number, opened as PortDevice(number); refused while open.
    bool SetCommPort(int16_t port);
    int16_t CommPort() const { return commPort_; }

    // "baud,parity,data bits,stop bits", e.g. "38400,N,8,1"; refused when
    // malformed or while open. No flow control is set up.
    bool SetSettings(const QString &settings);
    QString Settings() const { return settings_; }

    // Opens or closes; false when opening fails or the port is already open.
    bool SetPortOpen(bool open);
    bool PortOpen() const;

    // False when the line refuses (a pseudo-terminal has no RTS).
    bool SetRTSEnable(bool on);
    // The RTS state last asked of the open port (false while closed).
    bool RTSEnable() const { return rtsEnable_; }

    // Queues the whole text and hands the OS what it takes at once; false
    // when the port is not open or the write fails. Wait for PortWait::Output
    // until OutBufferCount is 0 to see it all leave.
    bool Output(const QByteArray &text);
    int32_t OutBufferCount() const;
    int32_t InBufferCount();
    QByteArray Input();

    // Blocks in the device until it has news of `what` or msecs pass.
    Waited Wait(PortWait what, int msecs);

    QString ErrorString() const { return lastError_; }
    // Whether low latency is in effect on the open port, in words.
    QString LowLatencyState() const;
    // Why the last open failed, for the user (see PortFailure.h).
    QString OpenFailure() const { return openFailure_; }

private:
    std::unique_ptr<SerialLine> port_;
    int16_t commPort_ = 1;
    QString settings_ = QStringLiteral("9600,N,8,1");
    QString lastError_;
    QString openFailure_;
    bool rtsEnable_ = false;
};

// The one port the program talks to the gateway through.
extern MSComm comMGW;

} // namespace modLumentorMGW
