#include "image/WholeFile.h"

#include <QSaveFile>

namespace modLumentorMGW {

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    // No direct-write fallback: what cannot be replaced atomically is not
    // written. Unbuffered, because QSaveFile loses a write error that only
    // shows when its buffer is flushed at commit, and would commit a
    // cut-off file as a success.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (reason)
        *reason = file.errorString();
    file.cancelWriting(); // a failed write must not be committed by the destructor
    return false;
}

} // namespace modLumentorMGW
