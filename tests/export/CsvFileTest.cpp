#include "export/CsvFile.h"
#include "export/CsvListing.h"
#include "export/CsvPath.h"
#include "image/ConfigImage.h"
#include "image/PointRecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace modLumentorMGW;

namespace {
class CsvFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ClearImage();
    }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name); }

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
};
} // namespace

TEST_F(CsvFileTest, PathTakesTheLastThreeCharactersOfTheName)
{
    EXPECT_EQ(CsvPathFor(QStringLiteral("C:\\maps\\plant.MGW")), QStringLiteral("C:\\maps\\plant.CSV"));
    EXPECT_EQ(CsvPathFor(QStringLiteral("C:\\maps\\plant")), QStringLiteral("C:\\maps\\plCSV"));
    EXPECT_EQ(CsvPathFor(QStringLiteral("/maps/plant.mgw")), QStringLiteral("/maps/plant.CSV"));
    EXPECT_EQ(CsvPathFor(QStringLiteral("plant.mgw")), QStringLiteral("plant.CSV"));
    // Never past a separator: the listing stays beside the map file.
    EXPECT_EQ(CsvPathFor(QStringLiteral("/maps/ab")), QStringLiteral("/maps/CSV"));
    EXPECT_EQ(CsvPathFor(QStringLiteral("C:\\maps\\a")), QStringLiteral("C:\\maps\\CSV"));
    EXPECT_EQ(CsvPathFor(QStringLiteral("ab")), QStringLiteral("CSV"));
    EXPECT_EQ(CsvPathFor(QString()), QString());
}

TEST_F(CsvFileTest, ListingNeverReplacesTheMapFile)
{
    EXPECT_TRUE(CsvPathAllowed(QStringLiteral("/m/plant.MGW"), QStringLiteral("/m/plant.CSV")));
    QString reason;
    EXPECT_FALSE(CsvPathAllowed(QStringLiteral("/m/x"), QString(), &reason));
    EXPECT_FALSE(reason.isEmpty());

    const QByteArray map(262144, char(0x5A));
    for (const char *name : {"plant.CSV", "plant.csv", "plantcsv", "plant.cSv"}) {
        writeAll(path(name), map);
        QString csvPath;
        reason.clear();
        EXPECT_FALSE(ExportCsvFile(path(name), 750, &csvPath, &reason)) << name;
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_TRUE(readAll(path(name)) == map) << name;
        EXPECT_EQ(files(), QStringList{QString::fromUtf8(name)});
        QFile::remove(path(name));
    }

    // A link in the listing's place that leads to the map file.
    writeAll(path("a.MGW"), map);
    ASSERT_TRUE(QFile::link(path("a.MGW"), path("a.CSV")));
    EXPECT_FALSE(ExportCsvFile(path("a.MGW"), 750));
    EXPECT_TRUE(readAll(path("a.MGW")) == map);
}

TEST_F(CsvFileTest, ExportWritesBesideTheMapFileAndReplacesAnOldListing)
{
    writeAll(path("plant.CSV"), QByteArray(100000, 'o'));
    SetPointType(6, 7);
    QString csvPath, reason;
    ASSERT_TRUE(ExportCsvFile(path("plant.MGW"), 350, &csvPath, &reason)) << reason.toStdString();
    EXPECT_EQ(csvPath, path("plant.CSV"));
    const QByteArray first = readAll(csvPath);
    EXPECT_TRUE(first.startsWith("Mapped Gateway File: " + path("plant.MGW").toUtf8() + "\r\nPoint,1,Unused\r\n"));
    EXPECT_TRUE(first.contains("\r\nPoint,7,Preset Activate,Preset,1\r\n"));
    EXPECT_EQ(first.count('\n'), 351);

    SetPointType(6, 0);
    ASSERT_TRUE(ExportCsvFile(path("plant.MGW"), 750));
    const QByteArray second = readAll(csvPath);
    EXPECT_TRUE(second.contains("\r\nPoint,7,Unused\r\n"));
    EXPECT_EQ(second.count('\n'), 751);
    EXPECT_EQ(files(), QStringList{QStringLiteral("plant.CSV")});
}

TEST_F(CsvFileTest, FailedWritesLeaveTheOldListingAndNoTemporaryFile)
{
    writeAll(path("plain"), "x");
    QString reason;
    EXPECT_FALSE(WriteCsvListing(path("plain") + QStringLiteral("/sub.CSV"), "a\r\n", &reason));
    EXPECT_FALSE(reason.isEmpty());
    reason.clear();
    EXPECT_FALSE(ExportCsvFile(path("nofolder") + QStringLiteral("/m.MGW"), 750, nullptr, &reason));
    EXPECT_FALSE(reason.isEmpty());

    const QByteArray old = "old listing\r\n";
    writeAll(path("m.CSV"), old);
    // Shorter than the file buffer (16 KB): the failure only shows when the
    // buffer is flushed, which must not go unnoticed.
    const QByteArray listing = CsvListing(path("m.MGW"), 750);
    ASSERT_GT(listing.size(), 4000);
    ASSERT_LT(listing.size(), 16384);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    reason.clear();
    const bool ok = WriteCsvListing(path("m.CSV"), listing, &reason);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(readAll(path("m.CSV")) == old);
    EXPECT_EQ(files(), (QStringList{QStringLiteral("m.CSV"), QStringLiteral("plain")}));
}
