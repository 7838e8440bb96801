#include "image/FileKind.h"

#include <QFileInfo>

namespace modLumentorMGW {

// The resolved paths, which carry the file's own letter case.
bool SameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString real = QFileInfo(a).canonicalFilePath();
    return !real.isEmpty() && real.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
}

} // namespace modLumentorMGW
