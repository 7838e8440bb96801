#include "link/Adapter.h"

namespace modLumentorMGW {

// The Windows port list knows names and descriptions only (Ports_windows.cpp).
Adapter AdapterOf(const QString &)
{
    return Adapter();
}

} // namespace modLumentorMGW
