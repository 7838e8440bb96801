#include "ui/PortMemory.h"

#include <QSettings>

namespace modLumentorMGW {

namespace {
const QString Key = QStringLiteral("port");

QSettings settings()
{
    return QSettings(QSettings::UserScope, QStringLiteral("LumentorMGW"), QStringLiteral("LumentorMGW"));
}
} // namespace

QString RememberedPort()
{
    return settings().value(Key).toString();
}

void RememberPort(const QString &name)
{
    settings().setValue(Key, name);
}

} // namespace modLumentorMGW
