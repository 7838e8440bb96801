#include "export/CsvListing.h"
#include "image/ConfigImage.h"
#include "image/PointRecord.h"

#include <QList>
#include <gtest/gtest.h>

using namespace modLumentorMGW;

namespace {
// Splits a listing at CR LF; fails on a bare CR or LF or a missing last CR LF.
QList<QByteArray> linesOf(const QByteArray &listing)
{
    EXPECT_TRUE(listing.endsWith("\r\n"));
    QList<QByteArray> lines = listing.split('\n');
    lines.removeLast();
    for (QByteArray &line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.constData();
        line.chop(1);
        EXPECT_FALSE(line.contains('\r')) << line.constData();
    }
    return lines;
}

void expectLines(const QList<QByteArray> &got, const QList<QByteArray> &want)
{
    ASSERT_GE(got.size(), want.size());
    for (int i = 0; i < want.size(); ++i)
        EXPECT_EQ(got[i].toStdString(), want[i].toStdString()) << "line " << i;
}

class CsvListingTest : public ::testing::Test {
protected:
    void SetUp() override { ClearImage(); }
};
} // namespace

TEST_F(CsvListingTest, KnownImageListsEveryLineAndNumberForm)
{
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

    const QList<QByteArray> lines = linesOf(CsvListing(QStringLiteral("C:\\maps\\plant.MGW"), 750));
    expectLines(lines, {
        "Mapped Gateway File: C:\\maps\\plant.MGW",
        "Point,1,Relay On/Off,Node,05,Relay,12",
        "Point,2,Unused",
        "Point,3,Multi Relay On/Off",
        ",Relays Controlled",
        ",,Node,01,Relay,1,2,5",
        ",,Node,0A,Relay,64",
        "Point,4,Preset Activate,Preset,3",
        "Point,5,Relay On/Timer Off,Node,FE,Relay,64",
        "Point,6,Multi Relay On/Timer Off",
        ",Relays Controlled",
        ",,Node,FF,Relay,1,10",
        "Point,7,Group On/Off,Group,256",
        "Point,8,Group On/Timer Off,Group,1",
        "Point,9,TL On Input,Node,0A,Device,40,Input,200",
        "Point,10,TL Off Input,Node,01,Device,01,Input,8",
        "Point,13,Multi Relay On/Off",
        ",Relays Controlled",
        "Point,14,Relay On/Off,Node,00,Relay,0",
        "Point,15,Preset Activate,Preset,32768",
        "Point,16,TL On Input,Node,00,Device,FF,Input,-4",
        "Point,17,Group On/Timer Off,Group,-32767",
    });
    int i = 22;
    for (int point = 18; point <= 49; ++point)
        EXPECT_EQ(lines.value(i++), "Point," + QByteArray::number(point) + ",Unused");
    expectLines(lines.mid(i), {
        "Point,50,Multi Relay On/Timer Off",
        ",Relays Controlled",
        ",,Node,FE,Relay,64",
        "Point,51,Multi Relay On/Timer Off",
        ",Relays Controlled",
        "Point,52,Unused",
    });
    EXPECT_EQ(lines.size(), 1 + 750 - 2 + 6 + 4); // two points without a line, six block heads, four node lines
    EXPECT_EQ(lines.value(lines.size() - 3), "Point,749,Unused");
    EXPECT_EQ(lines.value(lines.size() - 2), "Point,750,Multi Relay On/Off");
    EXPECT_EQ(lines.last(), ",Relays Controlled");
}

TEST_F(CsvListingTest, ClearedImageGivesOneUnusedLinePerPoint)
{
    const QList<QByteArray> lines = linesOf(CsvListing(QStringLiteral("/maps/plant.MGW"), 750));
    ASSERT_EQ(lines.size(), 751);
    EXPECT_EQ(lines[0], "Mapped Gateway File: /maps/plant.MGW");
    EXPECT_EQ(lines[7], "Point,7,Unused");
    EXPECT_EQ(lines.last(), "Point,750,Unused");
    EXPECT_EQ(linesOf(CsvListing(QStringLiteral("x"), 100000)).size(), 751);
    EXPECT_EQ(CsvListing(QStringLiteral("x"), -3), "Mapped Gateway File: x\r\n");
    // The title keeps the file name in UTF-8.
    EXPECT_EQ(CsvListing(QString::fromUtf8("/home/zo\xc3\xab/\xe5\x9b\xbe.MGW"), 1),
              "Mapped Gateway File: /home/zo\xc3\xab/\xe5\x9b\xbe.MGW\r\nPoint,1,Unused\r\n");
}
