// The serial line over QSerialPort, used without an event loop.
#include "link/SerialLine.h"

#include "link/LowLatency.h"
#include "link/PortFailure.h"

#include <QSerialPort>

namespace modLumentorMGW {

namespace {
class QtSerialLine : public SerialLine
{
public:
    ~QtSerialLine() override
    {
        if (port_.isOpen())
            lowLatency_.GiveBack();
    }

    bool Open(const QString &device, const LineSettings &line) override
    {
        static const QString parities = QStringLiteral("NOEMS");
        static const QSerialPort::Parity parityOf[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                       QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                       QSerialPort::SpaceParity};
        port_.setPortName(device);
        port_.setBaudRate(line.baud);
        port_.setParity(parityOf[qMax(0, int(parities.indexOf(QLatin1Char(line.parity))))]);
        port_.setDataBits(QSerialPort::DataBits(line.dataBits));
        port_.setStopBits(line.stopTenths == 15   ? QSerialPort::OneAndHalfStop
                          : line.stopTenths == 20 ? QSerialPort::TwoStop
                                                  : QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);
        if (port_.open(QIODevice::ReadWrite)) {
            lowLatency_.Ask(int(port_.handle()));
            return true;
        }
        error_ = port_.errorString();
        failure_ = PortOpenFailure(device, port_.error(), error_);
        return false;
    }
    QString OpenFailure() const override { return failure_; }
    QString ErrorString() const override { return error_; }
    QString LowLatencyState() const override { return lowLatency_.State(); }

    bool SetRTS(bool on) override
    {
        const bool done = port_.setRequestToSend(on);
        port_.clearError();
        return done;
    }

    bool Write(const QByteArray &bytes) override
    {
        if (port_.write(bytes) != bytes.size()) {
            error_ = port_.errorString();
            return false;
        }
        // No event loop runs here: hand the OS what it takes without waiting.
        return Wait(PortWait::Output, 0) != Waited::Failed;
    }
    int32_t BytesToWrite() const override { return int32_t(port_.bytesToWrite()); }
    int32_t BytesAvailable() override
    {
        Pull();
        return int32_t(port_.bytesAvailable());
    }
    QByteArray ReadAll() override
    {
        Pull();
        return port_.readAll();
    }

    Waited Wait(PortWait what, int msecs) override
    {
        port_.clearError();
        if (what == PortWait::Output && port_.bytesToWrite() == 0)
            return Waited::Progress;
        const bool moved = what == PortWait::Input ? port_.waitForReadyRead(msecs) : port_.waitForBytesWritten(msecs);
        if (moved)
            return Waited::Progress;
        if (!Failed())
            return Waited::TimedOut;
        error_ = port_.errorString();
        return Waited::Failed;
    }

private:
    // QSerialPort takes in OS data only from its notifier or a wait; a wait
    // of zero fetches what is there without touching the event loop.
    void Pull()
    {
        port_.waitForReadyRead(0);
        if (port_.error() == QSerialPort::TimeoutError)
            port_.clearError();
    }
    bool Failed() const
    {
        const QSerialPort::SerialPortError e = port_.error();
        return e != QSerialPort::NoError && e != QSerialPort::TimeoutError;
    }

    QSerialPort port_;
    LowLatency lowLatency_;
    QString error_, failure_;
};
} // namespace

std::unique_ptr<SerialLine> NewSerialLine()
{
    return std::make_unique<QtSerialLine>();
}

} // namespace modLumentorMGW
