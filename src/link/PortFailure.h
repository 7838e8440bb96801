#pragma once
// Why a serial port would not open, in words the user can act on: the
// second line under "Unable To Open Port".
#include <QString>

namespace modLumentorMGW {

enum class PortRefusal { NoDevice, Busy, NoPermission, Other };

// The words for each reason. detail: what the user can do for
// NoPermission, the system's own text for Other.
QString PortRefusalText(PortRefusal why, const QString &device, const QString &detail);

// On Linux, from QSerialPort (PortFailure_linux.cpp): device is the path
// that failed, qtError the QSerialPort::SerialPortError it gave, qtText its
// error text, used when no better reason is known.
QString PortOpenFailure(const QString &device, int qtError, const QString &qtText);

} // namespace modLumentorMGW
