// mgw's commands on map files alone: export, diff and import.
#include "cli/MgwFixture.h"

#include <QJsonArray>

using namespace modLumentorMGW;

TEST_F(MgwTest, ExportWritesTheListingBesideTheMapAndDiffListsWhatDiffers)
{
    const QString map = SampleMap();
    Ran r = Mgw({"export", map, "--points", "350", "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.json["result"].toString(), "complete");
    EXPECT_EQ(r.err, "Settings Exported To: " + dir.filePath("plant.CSV") + "\n");
    const QByteArray listing = ReadAll(dir.filePath("plant.CSV"));
    EXPECT_TRUE(listing.startsWith("Mapped Gateway File: " + map.toUtf8() + "\r\nPoint,1,Unused\r\n"));
    EXPECT_EQ(listing.count("\r\n"), 353); // title, 350 points, two more lines of point 003
    EXPECT_EQ(Mgw({"export", map, "--points", "350", "--output", "-"}).out.toUtf8(), listing);
    EXPECT_EQ(Mgw({"export", map, "--output", map}).status, 2); // never over the map file itself
    EXPECT_EQ(QFileInfo(map).size(), 262144);

    SetRelayBit(2, 0, 1, true);
    SetPointType(11, 5);
    SetPointNumber(11, 5);
    SetTimeoutCode(1);
    ImageSet(1, 9, 1);
    const QString b = Save("b.MGW");
    r = Mgw({"diff", map, b});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Point 3\n"
                     "-Point,3,Multi Relay On/Off\n-,Relays Controlled\n-,,Node,01,Relay,1\n"
                     "+Point,3,Multi Relay On/Off\n+,Relays Controlled\n+,,Node,01,Relay,1,2\n"
                     "Point 12\n"
                     "-Point,12,Relay On/Off,Node,05,Relay,12\n"
                     "+Point,12,Group On/Off,Group,6\n"
                     "Settings\n-Timeout,Normal\n+Timeout,Extended 1\n"
                     "Cells Differing: 5\n");
    r = Mgw({"diff", map, b, "--json"});
    EXPECT_EQ(r.json["result"].toString(), "differs");
    EXPECT_EQ(r.json["cells_differing"].toInt(), 5);
    const QJsonArray differing = r.json["diff"].toArray();
    ASSERT_EQ(differing.size(), 3);
    EXPECT_EQ(differing[0].toObject()["point"].toInt(), 3);
    EXPECT_EQ(differing[1].toObject()["b"].toArray(), QJsonArray{"Point,12,Group On/Off,Group,6"});
    EXPECT_EQ(differing[2].toObject()["point"].toString(), "settings");
    r = Mgw({"diff", map, map, "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.json["result"].toString(), "matches");
}

TEST_F(MgwTest, ImportWritesTheListedPointsOntoABaseOrAClearedMap)
{
    const QString map = SampleMap(), back = dir.filePath("back.MGW"), one = dir.filePath("one.CSV");
    ASSERT_EQ(Mgw({"export", map}).status, 0);
    const Ran r = Mgw({"import", dir.filePath("plant.CSV"), back, "--json"});
    EXPECT_EQ(r.err, "Points Imported Into " + back + ": 750\n");
    EXPECT_EQ(r.json["import"].toArray().size(), 750);
    EXPECT_TRUE(ReadAll(back) == ReadAll(map));

    // Onto a base: point 012 replaced whole, point 003 kept (a bad listing is refused: MgwRefusalTest).
    ASSERT_TRUE(WriteAll(one, "\"Point\";12;\"Preset Activate\";\"Preset\";3\r\n"));
    EXPECT_EQ(Mgw({"import", one, back, "--into", map, "--points", "350"}).status, 0);
    FileName = back;
    ASSERT_TRUE(ReadImageFile());
    EXPECT_EQ(std::vector<int16_t>(ConfigImage + 88, ConfigImage + 96), (std::vector<int16_t>{7, 0, 0, 0, 0, 0, 2, 0}));
    EXPECT_TRUE(GetRelayBit(2, 0, 0));
}
