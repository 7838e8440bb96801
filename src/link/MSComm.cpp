#include "link/MSComm.h"

#include "link/PortDevice.h"
#include "link/SerialLine.h"

namespace modLumentorMGW {

MSComm comMGW;

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
    return PortOpen() && port_->Write(text);
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
    return port_->Wait(what, msecs > 0 ? msecs : 0);
}

} // namespace modLumentorMGW
