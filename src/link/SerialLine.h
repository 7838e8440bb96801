#pragma once
// The serial line under MSComm: the system's own calls, in one file a
// platform (SerialLine_linux.cpp over QSerialPort, SerialLine_windows.cpp
// over the Win32 serial calls). A line exists while its port is open; every
// operation first takes in what the system already holds, and waiting
// blocks (or sleeps) instead of spinning.
#include "link/MSComm.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

namespace modLumentorMGW {

struct LineSettings
{
    int32_t baud = 9600;
    char parity = 'N'; // N, O, E, M or S
    int dataBits = 8;  // 5 to 8
    int stopTenths = 10; // 10, 15 or 20: one, one and a half, two
};

// "baud,parity,data bits,stop bits" ("38400,N,8,1"); false when malformed.
bool ParseLineSettings(const QString &text, LineSettings *out);

class SerialLine
{
public:
    virtual ~SerialLine() = default;

    // Opens `device` with `line`, no flow control; false with OpenFailure
    // set (in the user's words) when it will not open.
    virtual bool Open(const QString &device, const LineSettings &line) = 0;
    virtual QString OpenFailure() const = 0;
    virtual QString ErrorString() const = 0;
    // Whether the driver hands replies over without delay, in words.
    virtual QString LowLatencyState() const = 0;

    // False when the line refuses (a pseudo-terminal has no RTS).
    virtual bool SetRTS(bool on) = 0;
    // Queues bytes and hands the system what it takes at once.
    virtual bool Write(const QByteArray &bytes) = 0;
    virtual int32_t BytesToWrite() const = 0;
    virtual int32_t BytesAvailable() = 0;
    virtual QByteArray ReadAll() = 0;
    virtual Waited Wait(PortWait what, int msecs) = 0;
};

// A closed line of this platform's kind.
std::unique_ptr<SerialLine> NewSerialLine();

} // namespace modLumentorMGW
