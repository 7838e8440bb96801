// Telling why a Windows COM port would not open.
#include "link/PortFailure.h"

#include <windows.h>

namespace modLumentorMGW {

QString PortOpenFailure(const QString &device, int error, const QString &text)
{
    const DWORD code = DWORD(error);
    const PortRefusal why = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? PortRefusal::NoDevice
                            : code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ? PortRefusal::Busy
                                                                                            : PortRefusal::Other;
    return PortRefusalText(why, device, text);
}

} // namespace modLumentorMGW
