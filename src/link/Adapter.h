#pragma once
// The USB adapter behind a port, where the system tells it: what the
// record keeps of a gateway's connection, since the gateway cannot name
// itself.
#include <QString>

namespace modLumentorMGW {

struct Adapter
{
    QString vendorId;  // four hex digits, "0403"
    QString productId; // "6001"
    QString serialNumber;
    bool Known() const { return !vendorId.isEmpty() || !serialNumber.isEmpty(); }
};

// The adapter of the device opened as `device` (a resolved path); nothing
// known for a built-in port or a pseudo-terminal (Adapter_<platform>.cpp).
Adapter AdapterOf(const QString &device);

} // namespace modLumentorMGW
