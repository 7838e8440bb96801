#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "image/PointRecord.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace modLumentorMGW;

namespace {
constexpr int FileBytes = 262144;

class MapFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ClearImage();
        FileName = QStringLiteral("None");
    }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    static QByteArray readAll(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeAll(const QString &p, const QByteArray &bytes)
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    static void fillRandom(quint32 seed)
    {
        QRandomGenerator rng(seed);
        for (int i = 0; i < CellCount; ++i)
            ConfigImage[i] = int16_t(rng.bounded(-32768, 32768));
    }
};
} // namespace

TEST_F(MapFileTest, ByteOffsetsOfTheFile)
{
    ImageSet(1, 2, 1);                 // offset 4 * 2 + 2 = 10
    SetResendFlag(0x0102);             // bank 0 address 4096 -> offset 16,384
    SetTimeoutCode(int16_t(0xFFFE));   // address 4097 -> offset 16,388, two's complement
    SetPointNumber(3, 0x55);           // point index 3 cell 3 -> offset 16 * 3 + 4 * 3 = 60
    ImageSet(1, 65535, 0x7F01);        // last two bytes
    FileName = path("a.MGW");
    QString reason;
    ASSERT_TRUE(WriteImageFile(&reason)) << reason.toStdString();

    const QByteArray bytes = readAll(FileName);
    ASSERT_EQ(bytes.size(), FileBytes);
    QByteArray expected(FileBytes, '\0');
    expected[10] = 0x01;
    expected[16384] = 0x02; expected[16385] = 0x01;
    expected[16388] = char(0xFE); expected[16389] = char(0xFF);
    expected[60] = 0x55;
    expected[262142] = 0x01; expected[262143] = 0x7F;
    EXPECT_TRUE(bytes == expected);
}

TEST_F(MapFileTest, ClearedImageSavesAsZeros)
{
    FileName = path("zero.MGW");
    ASSERT_TRUE(WriteImageFile());
    EXPECT_TRUE(readAll(FileName) == QByteArray(FileBytes, '\0'));
}

TEST_F(MapFileTest, RoundTripOfARandomImageLeavesDirtyAlone)
{
    fillRandom(42);
    std::vector<int16_t> saved(ConfigImage, ConfigImage + CellCount);
    FileName = path("r.MGW");
    Dirty = true;
    ASSERT_TRUE(WriteImageFile());
    EXPECT_TRUE(Dirty);
    ClearImage();
    ASSERT_TRUE(ReadImageFile());
    EXPECT_FALSE(Dirty);
    EXPECT_EQ(0, std::memcmp(saved.data(), ConfigImage, sizeof ConfigImage));
}

TEST_F(MapFileTest, LongFileLoadsItsFirstBytesAndSaveCutsIt)
{
    QByteArray bytes(FileBytes + 100, char(0x11));
    writeAll(path("long.MGW"), bytes);
    FileName = path("long.MGW");
    ASSERT_TRUE(ReadImageFile());
    EXPECT_EQ(ImageGet(1, 65535), 0x1111);
    ASSERT_TRUE(WriteImageFile());
    EXPECT_EQ(readAll(FileName).size(), FileBytes);
}

TEST_F(MapFileTest, RefusedReadsLeaveImageAndDirtyUntouched)
{
    writeAll(path("short.MGW"), QByteArray(FileBytes - 1, char(0x22)));
    writeAll(path("empty.MGW"), QByteArray());
    const char *names[] = {"short.MGW", "empty.MGW", "missing.MGW", ""};
    for (const char *name : names) {
        fillRandom(7);
        std::vector<int16_t> before(ConfigImage, ConfigImage + CellCount);
        for (bool dirty : {false, true}) {
            Dirty = dirty;
            FileName = *name ? path(name) : dir.path(); // "" reads the folder itself
            QString reason;
            EXPECT_FALSE(ReadImageFile(&reason)) << name;
            EXPECT_FALSE(reason.isEmpty()) << name;
            EXPECT_EQ(Dirty, dirty);
            EXPECT_EQ(0, std::memcmp(before.data(), ConfigImage, sizeof ConfigImage)) << name;
        }
    }
}

TEST_F(MapFileTest, FailedSavesLeaveTheOldFileIntact)
{
    // A path below a regular file fails for root as well.
    writeAll(path("plain"), "x");
    FileName = path("plain") + QStringLiteral("/sub.MGW");
    QString reason;
    EXPECT_FALSE(WriteImageFile(&reason));
    EXPECT_FALSE(reason.isEmpty());

    FileName = path("nofolder") + QStringLiteral("/x.MGW");
    EXPECT_FALSE(WriteImageFile(&reason));

    // A file size limit below the map file's size: the write fails part way.
    const QByteArray old(FileBytes, char(0x33));
    writeAll(path("old.MGW"), old);
    FileName = path("old.MGW");
    fillRandom(9);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    reason.clear();
    const bool ok = WriteImageFile(&reason);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(readAll(FileName) == old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) // no temp file left
        << QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(',').toStdString();
}
