// The export: the listing's text, line by line, from images with every kind
// of point; where it goes, and that it never replaces the map file. Writing
// it, replacing an old one and a failed write are tested through the window.
#include "common/TestFiles.h"
#include "export/CsvFile.h"
#include "export/CsvListing.h"
#include "export/CsvPath.h"
#include "image/ConfigImage.h"
#include "image/PointRecord.h"

#include <QTemporaryDir>
#include <filesystem>

using namespace modLumentorMGW;

TEST(CsvListing, KnownImageListsEveryLineAndNumberForm)
{
    const auto unused = [](int from, int to) {
        QByteArray lines;
        for (int point = from; point <= to; ++point)
            lines += "Point," + QByteArray::number(point) + ",Unused\r\n";
        return lines;
    };
    ClearImage();
    const int16_t records[][5] = { // point, type, node, relay, number
        {0, 1, 4, 11, 0}, {2, 3, 0, 0, 0}, {3, 7, 0, 0, 2}, {4, 2, 253, 63, 0}, {5, 4, 0, 0, 0}, {6, 5, 0, 0, 255},
        {7, 6, 0, 0, 0}, {8, 8, 9, 63, 199}, {9, 9, 0, 0, 7},
        {10, 10, 0, 0, 0}, {11, -1, 0, 0, 0}, // no line
        // Stored values no list offers: the shown value is cell + 1, never overflowing.
        {12, 7, 0, 0, 32767}, {13, 8, -1, -2, -5},
        {49, 4, 0, 0, 0}}; // the last point with a bitmap
    for (const auto &[p, type, node, relay, number] : records) {
        SetPointType(p, type);
        SetPointNode(p, node);
        SetPointRelay(p, relay);
        SetPointNumber(p, number);
    }
    const int16_t bits[][3] = {{2, 0, 0}, {2, 0, 1}, {2, 0, 4}, {2, 9, 63}, {2, 255, 0}, // slot 255: never listed
                               {5, 254, 0}, {5, 254, 9}, {49, 253, 63}};
    for (const auto &[p, n, r] : bits)
        SetRelayBit(p, n, r, true);

    const QByteArray expected =
        "Mapped Gateway File: C:\\maps\\plant.MGW\r\n"
        "Point,1,Relay On/Off,Node,05,Relay,12\r\n"
        "Point,2,Unused\r\n"
        "Point,3,Multi Relay On/Off\r\n"
        ",Relays Controlled\r\n"
        ",,Node,01,Relay,1,2,5\r\n"
        ",,Node,0A,Relay,64\r\n"
        "Point,4,Preset Activate,Preset,3\r\n"
        "Point,5,Relay On/Timer Off,Node,FE,Relay,64\r\n"
        "Point,6,Multi Relay On/Timer Off\r\n"
        ",Relays Controlled\r\n"
        ",,Node,FF,Relay,1,10\r\n"
        "Point,7,Group On/Off,Group,256\r\n"
        "Point,8,Group On/Timer Off,Group,1\r\n"
        "Point,9,TL On Input,Node,0A,Device,40,Input,200\r\n"
        "Point,10,TL Off Input,Node,01,Device,01,Input,8\r\n"
        "Point,13,Preset Activate,Preset,32768\r\n"
        "Point,14,TL On Input,Node,00,Device,FF,Input,-4\r\n"
        + unused(15, 49) +
        "Point,50,Multi Relay On/Timer Off\r\n"
        ",Relays Controlled\r\n"
        ",,Node,FE,Relay,64\r\n"
        + unused(51, 750);
    EXPECT_EQ(CsvListing(QStringLiteral("C:\\maps\\plant.MGW"), 750).toStdString(), expected.toStdString());
}

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
        EXPECT_FALSE(ExportCsvFile(path, 750)) << name;
        EXPECT_TRUE(ReadAll(path) == map) << name;
    }
}

// POSIX only: on Windows QFile::link makes a shortcut file, no link
// (scripts/windows-test leaves this one out).
TEST(CsvFile, LinkToTheMapFileIsNoPlaceForTheListing)
{
    QTemporaryDir dir;
    const QByteArray map(MapFileBytes, char(0x5A));
    // A link in the listing's place that leads to the map file: symbolic, or
    // hard (a name of its own, the same inode).
    ASSERT_TRUE(WriteAll(dir.filePath("a.MGW"), map));
    ASSERT_TRUE(QFile::link(dir.filePath("a.MGW"), dir.filePath("a.CSV")));
    ASSERT_TRUE(WriteAll(dir.filePath("h.MGW"), map));
    std::filesystem::create_hard_link(QFile::encodeName(dir.filePath("h.MGW")).toStdString(),
                                      QFile::encodeName(dir.filePath("h.CSV")).toStdString());
    for (const char *name : {"a.MGW", "h.MGW"}) {
        QString reason;
        EXPECT_FALSE(ExportCsvFile(dir.filePath(name), 750, nullptr, &reason)) << name;
        EXPECT_EQ(reason, "The listing would replace the map file itself.");
        EXPECT_TRUE(ReadAll(dir.filePath(name)) == map) << name;
    }
}
