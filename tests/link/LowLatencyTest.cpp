// The request for low latency through the driver calls: asked on opening,
// given back on closing (a driver that refuses, as a pseudo-terminal's does,
// is no port error: ProbeTest, LineRecordTest). Port
// identity from a sysfs tree laid out as Linux lays out an FTDI adapter,
// the adapter as the port list reports it, one finding for the probe, the
// record and the resume state.
#include "common/SimulatedGateway.h"
#include "common/TestFiles.h"

#include "link/LowLatency.h"
#include "link/MSComm.h"
#include "link/PortIdentity.h"
#include "link/PortList.h"
#include "record/RunReport.h"

#include <QTemporaryDir>

#include <linux/serial.h>
#include <sys/ioctl.h>

using namespace modLumentorMGW;

namespace {
// The driver as the fake calls see it: its flags, and every call made.
struct Driver {
    int flags = 0x0040; // some other flag, which must survive
    std::vector<std::pair<unsigned long, int>> calls; // request, flags passed or returned
};
Driver driver;

int FakeIoctl(int, unsigned long request, void *argument)
{
    auto *settings = static_cast<serial_struct *>(argument);
    if (request == TIOCGSERIAL)
        settings->flags = driver.flags;
    else
        driver.flags = settings->flags;
    driver.calls.push_back({request, settings->flags});
    return 0;
}
} // namespace

TEST(LowLatency, AskedOnOpeningAndGivenBackOnClosing)
{
    SimulatedGateway gateway;
    struct Case {
        const char *driver;
        int flags;
        std::vector<std::pair<unsigned long, int>> calls;
        int after;
        const char *state;
    };
    const Case cases[] = {
        {"takes it", 0x0040,
         {{0x541E, 0x0040}, {0x541F, 0x2040}, {0x541E, 0x2040}, {0x541F, 0x0040}}, 0x0040, "in effect (asked)"},
        {"has it already", 0x2040, {{0x541E, 0x2040}}, 0x2040, "in effect (already set)"},
    };
    const SerialIoctl previous = SetSerialIoctl(FakeIoctl);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.driver);
        driver = Driver{c.flags, {}};
        comMGW.SetCommPort(gateway.port);
        ASSERT_TRUE(comMGW.SetPortOpen(true));
        EXPECT_EQ(comMGW.LowLatencyState(), c.state);
        EXPECT_TRUE(comMGW.Output("[D3003F00000FFFF]"));
        comMGW.SetPortOpen(false);
        EXPECT_EQ(driver.calls, c.calls);
        EXPECT_EQ(driver.flags, c.after);
    }
    SetSerialIoctl(previous);
}

TEST(PortIdentity, UsbAdapterFromSysfs)
{
    QTemporaryDir sys;
    const QString usb = sys.filePath("devices/pci0000:00/usb1/1-2");
    const QString port = usb + "/1-2:1.0/ttyUSB0";
    for (const QString &folder : {port, sys.filePath("class/tty/ttyUSB0"), sys.filePath("bus/usb-serial/drivers/ftdi_sio")})
        ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::link(port, sys.filePath("class/tty/ttyUSB0/device")));
    ASSERT_TRUE(QFile::link(sys.filePath("bus/usb-serial/drivers/ftdi_sio"), port + "/driver"));
    const std::pair<QString, QByteArray> files[] = {
        {port + "/latency_timer", "16\n"}, {usb + "/idVendor", "0403\n"}, {usb + "/manufacturer", "FTDI\n"},
        {usb + "/product", "FT232R USB UART\n"}};
    for (const auto &[path, text] : files)
        ASSERT_TRUE(WriteAll(path, text));
    SetSysfsRoot(sys.path());
    const PortReporter system = SetPortReporter([] {
        return std::vector<ReportedPort>{{"ttyUSB0", "FT232R USB UART", "/dev/ttyUSB0", "A50285BI", 0x0403, 0x6001}};
    });
    const PortIdentity id = IdentifyPort("/dev/ttyUSB0");
    const PortIdentity builtIn = IdentifyPort("/dev/ttyS7");
    RunReport report("mgw", "1", "probe", {});
    report.SetPort("ttyUSB0", "/dev/ttyUSB0");
    const QString key = AdapterKey(AdapterAt("/dev/ttyUSB0"));
    SetPortReporter(system);
    SetSysfsRoot(QString());
    EXPECT_EQ(DescribePort(id), (QStringList{"Device: /dev/ttyUSB0 (USB adapter)", "USB: 0403:6001 FTDI FT232R USB UART",
                                             "Serial number: A50285BI", "Driver: ftdi_sio"}));
    EXPECT_EQ(report.Object()["adapter"].toObject(),
              (QJsonObject{{"vendor_id", "0403"}, {"product_id", "6001"}, {"serial_number", "A50285BI"}}));
    EXPECT_EQ(key, "USB 0403:6001 A50285BI");
    EXPECT_EQ(id.latencyTimerMs, 16);
    EXPECT_EQ(id.latencyHowTo, "as root: echo 1 > /sys/bus/usb-serial/devices/ttyUSB0/latency_timer; to keep it, a "
                               "udev rule: ACTION==\"add\", SUBSYSTEM==\"usb-serial\", DRIVER==\"ftdi_sio\", "
                               "ATTR{latency_timer}=\"1\"");
    EXPECT_EQ(DescribePort(builtIn), QStringList{"Device: /dev/ttyS7 (serial port)"});
    EXPECT_EQ(builtIn.latencyTimerMs, -1);
}
