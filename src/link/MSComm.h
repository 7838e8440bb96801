#pragma once
// The serial port object, with the operations of the serial control the
// link is written against, over QSerialPort. Used without an event loop:
// every operation first takes in what the OS already holds, and waiting
// blocks on the device instead of spinning.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

class QSerialPort;

namespace modLumentorMGW {

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

    // Hands the whole text to the OS; false when the port is not open or
    // the write fails.
    bool Output(const QByteArray &text);
    int32_t InBufferCount();
    QByteArray Input();

    // Blocks until more input arrives or msecs pass. False only when no
    // input can come: the port is closed, has failed, or its device is gone.
    bool WaitForInput(int msecs);

    QString ErrorString() const { return lastError_; }
    // Why the last open failed, for the user (see PortFailure.h).
    QString OpenFailure() const { return openFailure_; }

private:
    void Pull();
    bool Failed() const;

    std::unique_ptr<QSerialPort> port_;
    int16_t commPort_ = 1;
    QString settings_ = QStringLiteral("9600,N,8,1");
    QString lastError_;
    QString openFailure_;
};

// The one port the program talks to the gateway through.
extern MSComm comMGW;

} // namespace modLumentorMGW
