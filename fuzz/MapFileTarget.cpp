#include "FuzzTargets.h"

#include "image/ConfigImage.h"
#include "image/MapFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>

using namespace modLumentorMGW;

namespace {
constexpr qint64 FileBytes = 262144;

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
} // namespace

int FuzzMapFile(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const QByteArray pattern(reinterpret_cast<const char *>(data + 1), int(size - 1));
    qint64 length = pattern.size();                           // short: as given
    if (data[0] % 3 == 1)
        length = FileBytes;                                   // exact
    else if (data[0] % 3 == 2)
        length = FileBytes + pattern.size();                  // long
    QByteArray file;
    file.reserve(length);
    while (file.size() < length)
        file.append(pattern.left(int(length - file.size())));

    const QString in = scratch().filePath(QStringLiteral("in.MGW"));
    const QString out = scratch().filePath(QStringLiteral("out.MGW"));
    FuzzCheck(writeFile(in, file), "scratch file written");

    for (int i = 0; i < CellCount; ++i)
        ConfigImage[i] = int16_t(i);
    Dirty = true;
    FileName = in;
    QString reason;
    const bool loaded = ReadImageFile(&reason);
    FuzzCheck(loaded == (length >= FileBytes), "loads exactly the files that hold a whole image");
    FuzzCheck(Dirty, "reading leaves Dirty alone");
    if (!loaded) {
        FuzzCheck(!reason.isEmpty(), "a refusal says why");
        for (int i = 0; i < CellCount; ++i)
            FuzzCheck(ConfigImage[i] == int16_t(i), "a refused file leaves the image as it was");
        return 0;
    }
    FileName = out;
    FuzzCheck(WriteImageFile(&reason), "the image saves");
    QFile saved(out);
    FuzzCheck(saved.open(QIODevice::ReadOnly), "saved file opens");
    const QByteArray back = saved.readAll();
    FuzzCheck(back.size() == FileBytes, "a saved file holds exactly one image");
    FuzzCheck(std::memcmp(back.constData(), file.constData(), FileBytes) == 0,
              "saving straight after opening gives the opened bytes back");
    return 0;
}
