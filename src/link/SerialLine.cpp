#include "link/SerialLine.h"

#include <QStringList>

namespace modLumentorMGW {

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
    const int parity = p.size() == 1 ? int(QStringLiteral("NOEMS").indexOf(p)) : -1;
    if (parity < 0)
        return false;
    out->parity = Parity(parity);
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

} // namespace modLumentorMGW
