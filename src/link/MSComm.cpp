#include "link/MSComm.h"

#include "link/PortDevice.h"
#include "link/SerialLine.h"

#include <QStringList>

namespace modLumentorMGW {

MSComm comMGW;

bool ParseLineSettings(const QString &text, LineSettings *out)
{
    const QStringList f = text.split(QLatin1Char(','));
    if (f.size() != 4)
        return false;
    bool ok = false;
    out->baud = f[0].trimmed().toInt(&ok);
    if (!ok || out->baud <= 0)
        return false;
    const QString p = f[1].trimmed().toUpper();
    if (p.size() != 1 || !QStringLiteral("NOEMS").contains(p))
        return false;
    out->parity = p.at(0).toLatin1();
    out->dataBits = f[2].trimmed().toInt(&ok);
    if (!ok || out->dataBits < 5 || out->dataBits > 8)
        return false;
    const QString stop = f[3].trimmed();
    if (stop == QLatin1String("1"))
        out->stopTenths = 10;
    else if (stop == QLatin1String("1.5"))
        out->stopTenths = 15;
    else if (stop == QLatin1String("2"))
        out->stopTenths = 20;
    else
        return false;
    return true;
}

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
    if (PortOpen() || !ParseLineSettings(settings, &parsed))
        return false;
    settings_ = settings;
    return true;
}

bool MSComm::PortOpen() const
{
    return bool(port_);
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
    ParseLineSettings(settings_, &line);
    std::unique_ptr<SerialLine> port = NewSerialLine();
    if (!port->Open(OpenedDevice(PortDevice(commPort_)), line)) {
        lastError_ = port->ErrorString();
        openFailure_ = port->OpenFailure();
        return false;
    }
    port_ = std::move(port);
    return true;
}

QString MSComm::LowLatencyState() const
{
    return PortOpen() ? port_->LowLatencyState() : QString();
}

bool MSComm::SetRTSEnable(bool on)
{
    if (!PortOpen())
        return false;
    rtsEnable_ = on;
    return port_->SetRTS(on);
}

bool MSComm::Output(const QByteArray &text)
{
    if (!PortOpen() || !port_->Write(text)) {
        if (PortOpen())
            lastError_ = port_->ErrorString();
        return false;
    }
    return true;
}

int32_t MSComm::OutBufferCount() const
{
    return PortOpen() ? port_->BytesToWrite() : 0;
}

int32_t MSComm::InBufferCount()
{
    return PortOpen() ? port_->BytesAvailable() : 0;
}

QByteArray MSComm::Input()
{
    return PortOpen() ? port_->ReadAll() : QByteArray();
}

Waited MSComm::Wait(PortWait what, int msecs)
{
    if (!PortOpen())
        return Waited::Failed;
    const Waited waited = port_->Wait(what, msecs > 0 ? msecs : 0);
    if (waited == Waited::Failed)
        lastError_ = port_->ErrorString();
    return waited;
}

} // namespace modLumentorMGW
