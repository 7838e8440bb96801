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

using namespace modLumentorMGW;

namespace {
QByteArray Unused(int from, int to)
{
    QByteArray lines;
    for (int point = from; point <= to; ++point)
        lines += "Point," + QByteArray::number(point) + ",Unused\r\n";
    return lines;
}
} // namespace

TEST(CsvListing, KnownImageListsEveryLineAndNumberForm)
{
    ClearImage();
    SetPointType(0, 1); SetPointNode(0, 4); SetPointRelay(0, 11);
    SetPointType(2, 3);
    SetRelayBit(2, 0, 0, true); SetRelayBit(2, 0, 1, true); SetRelayBit(2, 0, 4, true);
    SetRelayBit(2, 9, 63, true);
    SetRelayBit(2, 255, 0, true);                  // slot 255: never listed
    SetPointType(3, 7); SetPointNumber(3, 2);
    SetPointType(4, 2); SetPointNode(4, 253); SetPointRelay(4, 63);
    SetPointType(5, 4); SetRelayBit(5, 254, 0, true); SetRelayBit(5, 254, 9, true);
    SetPointType(6, 5); SetPointNumber(6, 255);
    SetPointType(7, 6);
    SetPointType(8, 8); SetPointNode(8, 9); SetPointRelay(8, 63); SetPointNumber(8, 199);
    SetPointType(9, 9); SetPointNumber(9, 7);
    SetPointType(10, 10);                          // no line
    SetPointType(11, -1);                          // no line
    SetPointType(12, 3);                           // empty bitmap
    // Stored values no list offers: the shown value is cell + 1, never overflowing.
    SetPointType(13, 1); SetPointNode(13, 32767); SetPointRelay(13, -1);
    SetPointType(14, 7); SetPointNumber(14, 32767);
    SetPointType(15, 8); SetPointNode(15, -1); SetPointRelay(15, -2); SetPointNumber(15, -5);
    SetPointType(16, 6); SetPointNumber(16, -32768);
    SetPointType(49, 4); SetRelayBit(49, 253, 63, true);   // last bitmap, bank 0
    SetPointType(50, 4);                                    // past 050: no bitmap
    SetPointType(749, 3);
    ImageSet(0, 4096, 1);  // settings are not listed

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
        "Point,13,Multi Relay On/Off\r\n"
        ",Relays Controlled\r\n"
        "Point,14,Relay On/Off,Node,00,Relay,0\r\n"
        "Point,15,Preset Activate,Preset,32768\r\n"
        "Point,16,TL On Input,Node,00,Device,FF,Input,-4\r\n"
        "Point,17,Group On/Timer Off,Group,-32767\r\n"
        + Unused(18, 49) +
        "Point,50,Multi Relay On/Timer Off\r\n"
        ",Relays Controlled\r\n"
        ",,Node,FE,Relay,64\r\n"
        "Point,51,Multi Relay On/Timer Off\r\n"
        ",Relays Controlled\r\n"
        + Unused(52, 749) +
        "Point,750,Multi Relay On/Off\r\n"
        ",Relays Controlled\r\n";
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
        EXPECT_EQ(FilesIn(dir.path()), QStringList{QString::fromUtf8(name)});
        QFile::remove(path);
    }

    // A link in the listing's place that leads to the map file.
    ASSERT_TRUE(WriteAll(dir.filePath("a.MGW"), map));
    ASSERT_TRUE(QFile::link(dir.filePath("a.MGW"), dir.filePath("a.CSV")));
    EXPECT_FALSE(ExportCsvFile(dir.filePath("a.MGW"), 750));
    EXPECT_TRUE(ReadAll(dir.filePath("a.MGW")) == map);
}
