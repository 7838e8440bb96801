#include "ui/PortMemory.h"

#include "ui/ProgramSettings.h"

namespace modLumentorMGW {

namespace {
const QString Key = QStringLiteral("port");
} // namespace

QString RememberedPort()
{
    return ProgramSettings().value(Key).toString();
}

void RememberPort(const QString &name)
{
    ProgramSettings().setValue(Key, name);
}

} // namespace modLumentorMGW
