// Where the listing goes, and that it never replaces the map file. Writing
// it, replacing an old one and a failed write are tested through the window.
#include "common/TestFiles.h"
#include "export/CsvFile.h"
#include "export/CsvPath.h"

#include <QTemporaryDir>

using namespace modLumentorMGW;

TEST(CsvPath, TakesTheLastThreeCharactersOfTheName)
{
    const std::pair<const char *, const char *> cases[] = {
        {"C:\\maps\\plant.MGW", "C:\\maps\\plant.CSV"}, {"C:\\maps\\plant", "C:\\maps\\plCSV"},
        {"/maps/plant.mgw", "/maps/plant.CSV"}, {"plant.mgw", "plant.CSV"},
        // Never past a separator: the listing stays beside the map file.
        {"/maps/ab", "/maps/CSV"}, {"C:\\maps\\a", "C:\\maps\\CSV"}, {"ab", "CSV"}, {"", ""}};
    for (const auto &[name, csv] : cases)
        EXPECT_EQ(CsvPathFor(QString::fromUtf8(name)), QString::fromUtf8(csv)) << name;
}

TEST(CsvFile, ListingNeverReplacesTheMapFile)
{
    QTemporaryDir dir;
    const QByteArray map(MapFileBytes, char(0x5A));
    for (const char *name : {"plant.CSV", "plant.csv", "plantcsv", "plant.cSv"}) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        ASSERT_TRUE(WriteAll(path, map));
        QString reason;
        EXPECT_FALSE(ExportCsvFile(path, 750, nullptr, &reason)) << name;
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_TRUE(ReadAll(path) == map) << name;
        EXPECT_EQ(FilesIn(dir.path()), QStringList{QString::fromUtf8(name)});
        QFile::remove(path);
    }

    // A link in the listing's place that leads to the map file.
    ASSERT_TRUE(WriteAll(dir.filePath("a.MGW"), map));
    ASSERT_TRUE(QFile::link(dir.filePath("a.MGW"), dir.filePath("a.CSV")));
    EXPECT_FALSE(ExportCsvFile(dir.filePath("a.MGW"), 750));
    EXPECT_TRUE(ReadAll(dir.filePath("a.MGW")) == map);
}
