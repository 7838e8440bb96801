#include "image/CopyFiles.h"

#include <QRegularExpression>

namespace modLumentorMGW {

QString CopyName(qint64 pid, int n)
{
    return QString::number(pid) + QLatin1Char('-') + QString::number(n);
}

QString CopyNoteFile(const QString &name)
{
    return name + QStringLiteral(".txt");
}

QString CopyLockFile(const QString &name)
{
    return name + QStringLiteral(".lock");
}

QString NextCopyImage(const QString &name, const QString &current)
{
    return name + (current.endsWith(QLatin1String(".1.mgw")) ? QStringLiteral(".2.mgw") : QStringLiteral(".1.mgw"));
}

bool IsCopyImage(const QString &file)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]+-[0-9]+\\.[12]\\.mgw$"));
    return pattern.match(file).hasMatch();
}

QString CopyNameOf(const QString &file)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]+-[0-9]+)\\."));
    return pattern.match(file).captured(1);
}

} // namespace modLumentorMGW
