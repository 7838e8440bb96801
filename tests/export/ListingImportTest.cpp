// The import: whatever a spreadsheet makes of the listing reads back the same
// records, every bad line is told by line, field and reason and changes
// nothing, and every listing the window's images give comes back cell for
// cell. LibreOffice Calc itself in the loop where it is installed.
#include "common/TestFiles.h"
#include "export/CsvListing.h"
#include "export/ListingImport.h"
#include "image/ConfigImage.h"
#include "image/PointRecord.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <random>

using namespace modLumentorMGW;

namespace {
std::vector<int16_t> Image() { return {ConfigImage, ConfigImage + CellCount}; }

// Every cell of the base nonzero: bank 0 holds 7, bank 1 holds 0x55.
std::vector<int16_t> Base()
{
    std::vector<int16_t> cells(CellCount);
    for (int i = 0; i < CellCount; ++i)
        cells[size_t(i)] = i % 2 ? 0x55 : 7;
    return cells;
}

// Imports text onto the image as it stands: the bad lines, none when imported.
QStringList Import(const QByteArray &text, int points = 750)
{
    const ListingImport listing(text, points);
    listing.Apply();
    return listing.BadLines();
}
} // namespace

TEST(ListingImport, EverySpreadsheetVariantReplacesExactlyTheListedRecords)
{
    const QByteArray variants[] = {
        "Mapped Gateway File: C:\\maps\\plant.MGW\r\n"
        "Point,1,Relay On/Off,Node,05,Relay,12\r\n"
        "Point,3,Multi Relay On/Off\r\n,Relays Controlled\r\n,,Node,01,Relay,1,2,5\r\n,,Node,FF,Relay,64\r\n"
        "Point,9,TL Off Input,Node,FE,Device,40,Input,8\r\n"
        "Point,750,Group On/Timer Off,Group,256\r\n",
        // LF, a byte order mark, no title, rows padded to the widest, blank lines, leading
        // zeros or none, lower-case hexadecimal, spaces around fields, relays in any order.
        "\xEF\xBB\xBF Point , 001 ,Relay On/Off, Node ,5,Relay, 012,,\n\n"
        "Point,0003,Multi Relay On/Off,,,,,,\n , Relays Controlled ,,,,,\n,,Node,1,Relay,5,2,1\n,,Node,ff,Relay,064,,\n"
        ",,,,,,,,\n\t\nPoint,9,TL Off Input,Node,fe,Device,040,Input,08\nPoint,750,Group On/Timer Off,Group,0256,,,,\n",
        // ';' and quoted text, numbers saved as numbers, the title's name split where it held ','.
        "\"Mapped Gateway File: C:\\maps\\pl\";\"ant.MGW\";;\r\n"
        "\"Point\";1;\"Relay On/Off\";\"Node\";5;\"Relay\";12\r\n"
        "\"Point\";3;\"Multi Relay On/Off\"\r\n;\"Relays Controlled\"\r\n;;\"Node\";1;\"Relay\";1;2;5\r\n"
        ";;\"Node\";\"FF\";\"Relay\";64\r\n\"Point\";9;\"TL Off Input\";\"Node\";\"FE\";\"Device\";40;\"Input\";8\r\n"
        "\"Point\";750;\"Group On/Timer Off\";\"Group\";256;;;\r\n",
        // A no-break space from a web page or Sheets (UTF-8 or ANSI), two exports joined
        // (a second byte order mark), relay cells cleared in a spreadsheet.
        "Mapped Gateway File: C:\\maps\\plant.MGW\r\n"
        "Point,1,\xA0Relay On/Off,Node,05,Relay,12\xC2\xA0\r\n"
        "\xEF\xBB\xBFPoint,3,Multi Relay On/Off\r\n,Relays Controlled\r\n,,Node,01,Relay,1,,2,,5\r\n,,Node,FF,Relay,64\r\n"
        "Point,9,TL Off Input,Node,\xC2\xA0" "FE,Device,40,Input,8\r\n"
        "Point,750,Group On/Timer Off,Group,256\r\n",
    };
    // Bank, address, value: the listed records, fields a type does not show
    // cleared, and point 003's whole bitmap (bank 1 from 4096) replaced.
    std::vector<int16_t> expected = Base();
    for (int a = 4096; a < 6144; ++a)
        expected[size_t(1 + 2 * a)] = 0;
    const int cells[][3] = {{0, 0, 1},   {0, 1, 4},  {0, 2, 11},  {0, 3, 0},    {0, 8, 3},    {0, 9, 0},
                            {0, 10, 0},  {0, 11, 0}, {1, 4096, 0x13}, {1, 6135, 0x80}, {0, 32, 9}, {0, 33, 253},
                            {0, 34, 63}, {0, 35, 7}, {0, 2996, 6}, {0, 2997, 0}, {0, 2998, 0}, {0, 2999, 255}};
    for (const auto &[bank, address, value] : cells)
        expected[size_t(bank + 2 * address)] = int16_t(value);

    for (const QByteArray &text : variants) {
        const std::vector<int16_t> base = Base();
        std::copy(base.begin(), base.end(), ConfigImage);
        EXPECT_EQ(Import(text), QStringList()) << text.toStdString();
        EXPECT_TRUE(Image() == expected) << text.toStdString();
    }
}

TEST(ListingImport, EveryBadLineIsToldByLineFieldAndReasonAndNothingChanges)
{
    const std::vector<int16_t> base = Base();
    std::copy(base.begin(), base.end(), ConfigImage);
    Dirty = false;
    // Each bad line alone, after a blank line.
    const std::pair<const char *, const char *> lines[] = {
        {"Point,1,Relay On/Off,Node,05,Relay,65", "relay 65: relays are 1 to 64"},
        {"Point,2,Relay On/Off,Node,FF,Relay,1", "node FF: nodes are 01 to FE"},
        {"Point,3,Relay On/Of,Node,05,Relay,1", "type Relay On/Of: not a type of the listing"},
        {"Point,751,Unused", "point 751: points are 1 to 750"},
        {"Point,x,Unused", "point x: not a number"},
        {"Point,4,TL On Input,Node,0G,Device,01,Input,1", "node 0G: not a hexadecimal number"},
        {"Point,5,TL On Input,Node,01,Device,41,Input,1", "device 41: devices are 01 to 40"},
        {"Point,5,TL On Input,Node,01,Device,40,Input,9", "input 9: inputs are 1 to 8"},
        {"Point,6,Preset Activate,Preset,257", "preset 257: presets are 1 to 256"},
        {"Point,7,Group On/Off,Grp,3", "Grp: Group expected"},
        {"Point,8,Group On/Off,Group", "group missing"},
        {"Point,10,Unused,x", "x: more fields than an Unused line has"},
        {"Point,10,Unused,,,,Lobby", "Lobby: more fields than an Unused line has"},
        {"Point,10,Preset Activate,Preset,1,,note", "note: more fields than a Preset Activate line has"},
        {"Point,11,Relay On/Off,Node,05", "relay missing"},
        {"Point,11,Relay On/Off,Node,05,,1", "relay missing"},
        {"Point,11,Relay On/Off,Node,,Relay,1", "node missing"},
        {"Point,11,Relay On/Off,Node,0\t5,Relay,1", "node 0?5: not a hexadecimal number"},
        {"Point,,Unused", "point number missing"},
        {"Point,12,Relay On/Off,Node,05,Relay,1\xC2\xA0" "2", "relay 1\u00A0" "2: not a number"},
        {"Point,13,\"Unused", "a quote is not closed"},
        {"Relays,1", "Relays: not a line of the listing"},
        {",Relays Controlled", ",Relays Controlled outside a multi relay point"},
        {",,Node,01,Relay,1", "a node's relays outside a multi relay point"},
        {"Point,51,Multi Relay On/Off", "point 51: multi relay points are 1 to 50"},
    };
    for (const auto &[line, why] : lines)
        EXPECT_EQ(Import(QByteArray("\r\n") + line), QStringList{QString("line 2: ") + why});
    // What a line says in its place among others.
    EXPECT_EQ(Import("Point,1,Unused\nPoint,1,Unused\nPoint,11,Multi Relay On/Off\n,,Node,05,Relay,1\n"
                     "Point,12,Multi Relay On/Off\n,Relays Controlled\n,,Node,00,Relay,1\n,,Node,02,Relay,3,3\n"
                     ",,Node,02,Relay,4\nPoint,14,Multi Relay On/Off\n"),
              (QStringList{"line 2: point 1: listed before, on line 1",
                           "line 4: ,Relays Controlled expected after the multi relay point of line 3",
                           "line 7: node 00: nodes are 01 to FF", "line 8: relay 3: listed twice",
                           "line 9: node 02: listed before for this point",
                           "line 10: ,Relays Controlled missing after this multi relay point"}));
    // The first 20 and a count; the protocol's points only; nothing listed.
    EXPECT_EQ(Import(QByteArray("Point,0,Unused\n").repeated(25)).mid(19),
              (QStringList{"line 20: point 0: points are 1 to 750", "and 5 more bad lines"}));
    EXPECT_EQ(Import("Point,350,Unused\nPoint,351,Unused", 350), QStringList{"line 2: point 351: points are 1 to 350"});
    EXPECT_EQ(Import("Mapped Gateway File: x\r\n\r\n"), QStringList{"no point is listed"});
    EXPECT_EQ(Import("Point,11,Multi Relay On/Off\n,Relays Controlled\n,,Node,01,Relay,1,2,5,,,note\n"),
              QStringList{"line 3: relay note: not a number"});
    // Text of another kind, in one line: never its bytes.
    QByteArray map(MapFileBytes, '\0');
    map[0] = 1;
    const std::pair<QByteArray, const char *> files[] = {
        {map, "this is a map file, not a listing"},
        {QByteArray("\xFF\xFEP\0o\0i\0n\0t\0", 12), "UTF-16 text: save the listing as UTF-8 or ANSI"},
        {QByteArray("P\0o\0i\0n\0t\0", 10), "UTF-16 text: save the listing as UTF-8 or ANSI"},
        {"Point,1,Unused\r\n\x1B[31mPoint,2\x07,Unused\r\n", "not a text listing"},
        {QByteArray("Point,1,Unused\r\nPoint,2,Un\0used", 31), "not a text listing"},
    };
    for (const auto &[text, why] : files)
        EXPECT_EQ(Import(text), QStringList{why});
    EXPECT_TRUE(Image() == base);
    EXPECT_FALSE(Dirty);
}

namespace {
// An image the window can make: every type where the window allows it, each
// value at either end of its list or between, fields the type does not show
// cleared, bitmaps only on multi relay points, on node slots 0 to 254.
void FillWindowImage(std::mt19937 &random, int points)
{
    const auto pick = [&](int last) {
        const int k = int(random() % 3);
        return int16_t(k == 0 ? 0 : k == 1 ? last : int(random() % uint32_t(last + 1)));
    };
    ClearImage();
    for (int16_t p = 0; p < points; ++p) {
        const int16_t type = int16_t(random() % 10);
        if (type == 3 || type == 4) {
            if (p >= MultiRelayPoints)
                continue;
            for (int k = int(random() % 4); k > 0; --k)
                SetRelayBit(p, pick(254), pick(63), true);
        }
        SetPointType(p, type);
        if (type == 1 || type == 2 || type == 8 || type == 9) {
            SetPointNode(p, pick(253));
            SetPointRelay(p, pick(63));
        }
        if (type >= 5)
            SetPointNumber(p, type >= 8 ? pick(7) : pick(255));
    }
}
} // namespace

TEST(ListingImport, ListingOfAnyWindowImageComesBackCellForCellAndByteForByte)
{
    std::mt19937 random(25);
    for (int round = 0; round < 24; ++round) {
        const int points = round % 4 ? 750 : 350;
        FillWindowImage(random, points);
        const std::vector<int16_t> image = Image();
        const QByteArray listing = CsvListing(QStringLiteral("/maps/plant.MGW"), points);
        ClearImage();
        ASSERT_EQ(Import(listing, points), QStringList()) << round;
        ASSERT_TRUE(Image() == image) << round;
        ASSERT_EQ(CsvListing(QStringLiteral("/maps/plant.MGW"), points), listing) << round;
    }
}

// Calc opens the exported listing and saves it again as CSV, once with
// commas and once with ';' and every text quoted; both read back the same.
TEST(ListingImport, SurvivesLibreOfficeCalc)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice Calc (soffice) is not installed: apt-get install libreoffice-calc-nogui";
    std::mt19937 random(7);
    FillWindowImage(random, 750);
    const std::vector<int16_t> image = Image();
    QTemporaryDir dir;
    ASSERT_TRUE(WriteAll(dir.filePath("plant.CSV"), CsvListing("/maps/pl,ant.MGW", 750)));
    // Both at once, each with a profile of its own, never the home folder's.
    QProcess calcs[2];
    const char *options[] = {"44,34,76,1", "59,34,76,1,,0,true"};
    for (int run = 0; run < 2; ++run)
        calcs[run].start(soffice, {"-env:UserInstallation=file://" + dir.filePath(QString("profile%1").arg(run)),
                                   "--headless", "--norestore", "--infilter=CSV:44,34,76,1", "--convert-to",
                                   QString("csv:Text - txt - csv (StarCalc):") + options[run], "--outdir",
                                   dir.filePath(QString("saved%1").arg(run)), dir.filePath("plant.CSV")});
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(calcs[run].waitForFinished(60000));
        const QByteArray saved = ReadAll(dir.filePath(QString("saved%1/plant.csv").arg(run))); // Calc's name
        ASSERT_TRUE(saved.contains(run ? "\n\"Point\";1;" : "\n\"Point\",1,")) << calcs[run].readAllStandardError().data();
        ClearImage();
        EXPECT_EQ(Import(saved), QStringList()) << run;
        EXPECT_TRUE(Image() == image) << run;
    }
}
