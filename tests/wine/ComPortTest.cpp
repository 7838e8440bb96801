// The Win32 serial line and port list under Wine, against the simulator
// behind COM1 (scripts/windows-test maps it; COM9 is mapped to nothing).
// What the operator is told when a port will not open, and replies read
// back whole through the driver. (Wine opens a COM port twice without a
// sharing violation, so "busy" cannot be shown here.)
#include "gatesim/Codec.h"
#include "link/MSComm.h"
#include "link/PortDevice.h"
#include "link/SystemPorts.h"
#include "link/Transaction.h"

#include <GatewayTest.h>

#include <QStringList>

#include <windows.h>

#include <string>
#include <tuple>

using namespace modLumentorMGW;

TEST_F(GatewayTest, PortsThatWillNotOpenAreToldToTheOperator)
{
    // No such port, and a device that is no serial line (in Wine's words).
    const std::pair<QString, QString> refused[] = {
        {"COM9", "There is no device COM9: plug the adapter in or choose another port."},
        {"NUL", "NUL: Invalid handle."}};
    for (const auto &[device, why] : refused) {
        boxes.Clear();
        SetPortDevice(2, device);
        EXPECT_FALSE(OpenGatewayPort(2)) << device.toStdString();
        EXPECT_EQ(boxes.boxes, (Boxes{{"Unable To Open Port\r\n" + why, 16, "Port Error"}}));
    }
    SetPortDevice(2, QString());
    boxes.Clear();
    ASSERT_TRUE(OpenGatewayPort(1)); // a refusal leaves nothing held
    EXPECT_EQ(boxes.Count(), 0);
}

// The gateway's replies whole, each judged alone: a block of 64 cells
// written and read back (132 characters, more than arrive between two looks
// at the driver), then cleared, and the empty banks' checksums.
TEST_F(GatewayTest, RepliesComeBackWholeThroughTheDriver)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    std::string cells;
    for (int i = 0; i < 64; ++i)
        cells += "0123456789ABCDEF"[i % 16] + std::string("5");
    const std::tuple<std::string, int16_t, std::string> exchanges[] = {
        {"381FF003F" + cells, 6, "[F500]"},
        {"391FF003F", 132, gatesim::ReplyFrame(cells)},
        {"3611$*", 6, "[F500]"},
        {"3F00000FFFF", 12, "[DC38E159AA]"},
        {"3F10000FFFF", 12, "[DC38E159AA]"}};
    for (const auto &[command, length, reply] : exchanges) {
        EXPECT_TRUE(SendCommand(QString::fromStdString(command), length)) << command;
        EXPECT_EQ(LastReply.toStdString(), reply) << command;
    }
    EXPECT_EQ(boxes.Count(), 0);
}

// Wine enters its mapped ports in the registry's SERIALCOMM map, which the
// port list reads.
TEST(ComPorts, TheSystemsPortsIncludeTheMappedOne)
{
    QStringList names;
    for (const ReportedPort &port : SystemPorts())
        names << port.name;
    EXPECT_TRUE(names.contains("COM1")) << names.join(' ').toStdString();
}
