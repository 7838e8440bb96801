#include "link/MSComm.h"

#include "link/PortDevice.h"
#include "link/PortFailure.h"

#include <QSerialPort>
#include <QStringList>

namespace modLumentorMGW {

MSComm comMGW;

namespace {
struct LineSettings
{
    qint32 baud = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

bool parseSettings(const QString &text, LineSettings *out)
{
    const QStringList f = text.split(QLatin1Char(','));
    if (f.size() != 4)
        return false;
    bool ok = false;
    out->baud = f[0].trimmed().toInt(&ok);
    if (!ok || out->baud <= 0)
        return false;
    static const QString parities = QStringLiteral("NOEMS");
    static const QSerialPort::Parity parityOf[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                   QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                   QSerialPort::SpaceParity};
    const QString p = f[1].trimmed().toUpper();
    if (p.size() != 1 || !parities.contains(p))
        return false;
    out->parity = parityOf[parities.indexOf(p)];
    const int bits = f[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return false;
    out->dataBits = QSerialPort::DataBits(bits);
    const QString stop = f[3].trimmed();
    if (stop == QLatin1String("1"))
        out->stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5"))
        out->stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2"))
        out->stopBits = QSerialPort::TwoStop;
    else
        return false;
    return true;
}
} // namespace

MSComm::MSComm() = default;

MSComm::~MSComm()
{
    SetPortOpen(false);
}

bool MSComm::SetCommPort(int16_t port)
{
    if (PortOpen() || port < 1)
        return false;
    commPort_ = port;
    return true;
}

bool MSComm::SetSettings(const QString &settings)
{
    LineSettings parsed;
    if (PortOpen() || !parseSettings(settings, &parsed))
        return false;
    settings_ = settings;
    return true;
}

bool MSComm::PortOpen() const
{
    return port_ && port_->isOpen();
}

bool MSComm::SetPortOpen(bool open)
{
    if (!open) {
        port_.reset(); // closes
        rtsEnable_ = false;
        return true;
    }
    if (PortOpen())
        return false;
    openFailure_.clear();
    LineSettings line;
    parseSettings(settings_, &line);
    port_ = std::make_unique<QSerialPort>();
    const QString device = OpenedDevice(PortDevice(commPort_));
    port_->setPortName(device);
    port_->setBaudRate(line.baud);
    port_->setParity(line.parity);
    port_->setDataBits(line.dataBits);
    port_->setStopBits(line.stopBits);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!port_->open(QIODevice::ReadWrite)) {
        lastError_ = port_->errorString();
        openFailure_ = PortOpenFailure(device, port_->error(), lastError_);
        port_.reset();
        return false;
    }
    return true;
}

bool MSComm::SetRTSEnable(bool on)
{
    if (!PortOpen())
        return false;
    rtsEnable_ = on;
    const bool done = port_->setRequestToSend(on);
    port_->clearError();
    return done;
}

bool MSComm::Output(const QByteArray &text)
{
    if (!PortOpen() || port_->write(text) != text.size())
        return false;
    // No event loop runs here: hand the OS what it takes without waiting.
    return Wait(PortWait::Output, 0) != Waited::Failed;
}

int32_t MSComm::OutBufferCount() const
{
    return PortOpen() ? int32_t(port_->bytesToWrite()) : 0;
}

// QSerialPort takes in OS data only from its notifier or a wait; a wait of
// zero fetches what is there without touching the event loop.
void MSComm::Pull()
{
    if (PortOpen()) {
        port_->waitForReadyRead(0);
        if (port_->error() == QSerialPort::TimeoutError)
            port_->clearError();
    }
}

int32_t MSComm::InBufferCount()
{
    Pull();
    return PortOpen() ? int32_t(port_->bytesAvailable()) : 0;
}

QByteArray MSComm::Input()
{
    Pull();
    return PortOpen() ? port_->readAll() : QByteArray();
}

bool MSComm::Failed() const
{
    const QSerialPort::SerialPortError e = port_->error();
    return e != QSerialPort::NoError && e != QSerialPort::TimeoutError;
}

Waited MSComm::Wait(PortWait what, int msecs)
{
    if (!PortOpen())
        return Waited::Failed;
    port_->clearError();
    msecs = msecs > 0 ? msecs : 0;
    if (what == PortWait::Output && port_->bytesToWrite() == 0)
        return Waited::Progress;
    const bool moved = what == PortWait::Input ? port_->waitForReadyRead(msecs) : port_->waitForBytesWritten(msecs);
    if (moved)
        return Waited::Progress;
    if (!Failed())
        return Waited::TimedOut;
    lastError_ = port_->errorString();
    return Waited::Failed;
}

} // namespace modLumentorMGW
