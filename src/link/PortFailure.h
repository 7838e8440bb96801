#pragma once
// Why a serial port would not open, in words the user can act on: the
// second line under "Unable To Open Port".
#include <QString>

namespace modLumentorMGW {

// device: the path that failed; qtError: the QSerialPort::SerialPortError
// it gave; qtText: its error text, used when no better reason is known.
QString PortOpenFailure(const QString &device, int qtError, const QString &qtText);

} // namespace modLumentorMGW
