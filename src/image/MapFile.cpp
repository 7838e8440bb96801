#include "image/MapFile.h"

#include "image/ConfigImage.h"
#include "image/FileKind.h"
#include "image/WholeFile.h"

#include <QFile>
#include <QtEndian>

namespace modLumentorMGW {

QString FileName = QStringLiteral("None");

namespace {
void setReason(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
}
} // namespace

bool ReadImageFile(QString *reason)
{
    // A FIFO would block the open, a device would never end: only a regular
    // file can be a map file.
    const FileKind kind = KindOf(FileName);
    if (kind == FileKind::Folder || kind == FileKind::Other) {
        setReason(reason, kind == FileKind::Folder ? QStringLiteral("It is a folder.")
                                                   : QStringLiteral("It is not a regular file, so it cannot be a map file."));
        return false;
    }
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        setReason(reason, file.errorString());
        return false;
    }
    // Read into a scratch buffer first, so a short or failing read leaves
    // the image exactly as it was.
    QByteArray bytes(MapFileSize, Qt::Uninitialized);
    qint64 got = 0;
    while (got < MapFileSize) {
        const qint64 n = file.read(bytes.data() + got, MapFileSize - got);
        if (n < 0) {
            setReason(reason, file.errorString());
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got < MapFileSize) {
        setReason(reason, QStringLiteral("The file holds %1 bytes; a map file holds %2.")
                              .arg(got).arg(MapFileSize));
        return false;
    }
    qFromLittleEndian<qint16>(bytes.constData(), CellCount, ConfigImage);
    return true;
}

QByteArray ImageFileBytes()
{
    QByteArray bytes(MapFileSize, Qt::Uninitialized);
    qToLittleEndian<qint16>(ConfigImage, CellCount, bytes.data());
    return bytes;
}

bool WriteImageFile(QString *reason)
{
    return WriteWholeFile(FileName, ImageFileBytes(), reason);
}

} // namespace modLumentorMGW
