#pragma once
// Why a serial port would not open, in words the user can act on: the
// second line under "Unable To Open Port".
#include <QString>

namespace modLumentorMGW {

enum class PortRefusal { NoDevice, Busy, NoPermission, Other };

// The words for each reason. detail: what the user can do for
// NoPermission, the system's own text for Other.
QString PortRefusalText(PortRefusal why, const QString &device, const QString &detail);

// device is the port that failed; error and text what the system said, text
// used when no better reason is known. On Linux (PortFailure_linux.cpp) the
// QSerialPort::SerialPortError it gave; on Windows (PortFailure_windows.cpp)
// GetLastError's code after CreateFileW.
QString PortOpenFailure(const QString &device, int error, const QString &text);

} // namespace modLumentorMGW
