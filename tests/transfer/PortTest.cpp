// The port list as the operator meets it: COM1 to COM8 first with their
// devices, then the ports the system reports, kept up to date, remembered,
// reachable by --port; and a port that will not open says why.
#include "transfer/TransferFixture.h"

#include "common/ChildProcess.h"
#include "common/TestFiles.h"
#include "link/PortList.h"
#include "ui/widgets/PortComboBox.h"

#include <QProcess>
#include <QSerialPort>
#include <QThread>

using namespace modLumentorMGW;

// The reported ports are the test's own from before the window starts.
class PortTest : public TransferTest {
protected:
    ~PortTest() override { SetPortReporter(previous); }
    std::vector<ReportedPort> reported;
    const PortReporter previous = SetPortReporter([this] { return reported; });
    const QString pty = QString::fromStdString(gateway.sim.SlavePath());
};

TEST_F(PortTest, ListHoldsTheEightThenReportedPortsAndFollowsThePlugging)
{
    reported = {{"ttyUSB10", "FT232R USB UART", "/dev/ttyUSB10"}, {"ttyS0", "", "/dev/ttyS0"},
                {"COM3", "Communications Port", "COM3"}, {"ttyACM0", "", "/dev/ttyACM0"},
                {"ttyUSB2", "CP2102", "/dev/ttyUSB2"}};
    SetPortDevice(1, QString());
    QComboBox &list = *window->cboComPort;
    list.showPopup(); // the list is brought up to date each time it opens
    QStringList entries;
    for (int i = 0; i < list.count(); ++i)
        entries << list.itemText(i);
    EXPECT_EQ(entries, (QStringList{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "ttyACM0",
                                    "ttyUSB2 (CP2102)", "ttyUSB10 (FT232R USB UART)"}));
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(PortDevice(int16_t(n)), QStringLiteral("/dev/ttyS%1").arg(n - 1));
    EXPECT_EQ(PortDevice(10), "/dev/ttyUSB2");

    // The closed box shows the name, and of a long path its end.
    EXPECT_EQ(PortComboBox::ClosedText("ttyUSB2 (CP2102)", list.fontMetrics(), 45), "ttyUSB2");
    const QString shown = PortComboBox::ClosedText("/dev/pts/12", list.fontMetrics(), 45);
    EXPECT_TRUE(shown.startsWith(QChar(0x2026)) && shown.endsWith("pts/12")) << shown.toStdString();

    // The chosen adapter keeps its place when another is plugged in before it,
    // and once it is unplugged the list falls back on COM1.
    list.setCurrentIndex(9);
    reported.push_back({"ttyACM1", "", "/dev/ttyACM1"});
    list.showPopup();
    EXPECT_EQ(list.currentText(), "ttyUSB2 (CP2102)");
    reported.erase(reported.begin() + 4);
    list.showPopup();
    EXPECT_EQ(list.currentText(), "COM1");
}

TEST_F(PortTest, PortOptionCarriesAWholeTransferToTheSimulator)
{
    SetPortDevice(1, QString()); // COM1 is the real /dev/ttyS0 again; only --port reaches the simulator
    window->ChoosePort(pty);
    ConfigImage[2 * 7] = 0x42;
    Run(window->mnuDownload);
    EXPECT_EQ(gateway.sim.Memory().Cell(0, 7), 0x42);
    window->ChoosePort("com3"); // a COM name is its entry, however written
    EXPECT_EQ(window->cboComPort->currentIndex(), 2);

    // The program takes --port to the same choice, which it remembers, among
    // the window system's own options (whose letters are no -v or -h).
    QProcess program;
    program.start(LUMENTORMGW_PROGRAM, {"-reverse", "-platformtheme", "none", "--port", pty});
    const QString remembered = qEnvironmentVariable("XDG_CONFIG_HOME") + "/LumentorMGW/LumentorMGW.conf";
    for (int i = 0; i < 250 && !ReadAll(remembered).contains("port=" + pty.toUtf8()); ++i)
        QThread::msleep(20);
    program.kill();
    program.waitForFinished();
    EXPECT_EQ(ReadAll(remembered), "[General]\nport=" + pty.toUtf8() + "\n");

    // Nothing on the command line is taken silently: one line naming it, then the usage.
    const std::pair<QStringList, QString> refused[] = {
        {{"a.MGW", "extra"}, "unexpected argument 'extra'"},
        {{"--port", pty, "--port", "COM2"}, "--port is given more than once"},
        {{"--port", ""}, "--port needs a value, not an empty one"}};
    for (const auto &[arguments, line] : refused) {
        program.start(LUMENTORMGW_PROGRAM, arguments);
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitCode(), 2);
        const QString said = QString::fromUtf8(program.readAllStandardError());
        EXPECT_TRUE(said.contains("LumentorMGW: " + line + "\n\nUsage: ")) << said.toStdString();
    }
}

TEST_F(PortTest, ChoiceIsRememberedAndForgottenWhenGone)
{
    reported = {{"ttyUSB0", "FT232R USB UART", "/dev/ttyUSB0"}};
    const auto restart = [this] {
        window.reset();
        window = std::make_unique<frmLumentorMGW>();
        return window->cboComPort->currentText();
    };
    EXPECT_EQ(restart(), "COM1");
    window->cboComPort->setCurrentIndex(8);
    emit window->cboComPort->activated(8); // the operator's pick
    EXPECT_EQ(restart(), "ttyUSB0 (FT232R USB UART)");
    reported.clear();
    EXPECT_EQ(restart(), "COM1");
}

// Each reason made real (a missing node: RoundTripTest): a port another
// opener holds, under its own name or through a link (one device, one
// lock); below, a node the user may not open (as root too: see
// ChildProcess.h), where joining the node's group helps only when that
// group may read and write it.
TEST_F(PortTest, PortThatWillNotOpenSaysWhy)
{
    const QString busy = "Unable To Open Port\r\n" + pty + " is busy: another program is using it. Close that program and try again.";
    ASSERT_TRUE(QFile::link(pty, home.filePath("gateway")));
    SetPortDevice(3, home.filePath("gateway"));
    QSerialPort other;
    other.setPortName(pty);
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    EXPECT_FALSE(OpenGatewayPort(1));
    EXPECT_FALSE(OpenGatewayPort(3));
    other.close();
    EXPECT_EQ(boxes.boxes, (Boxes{{busy, 16, "Port Error"}, {busy, 16, "Port Error"}}));
    SetPortDevice(3, QString());
}

// A refused open needs a user other than the node's owner: only root can
// become one (the suite's run as root has these).
TEST_F(PortTest, NodeTheUserMayNotOpenSaysWhichRightIsMissing)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can become a user other than the node's owner";
    const QString unable = "Unable To Open Port\r\n";
    struct stat node {};
    ASSERT_EQ(stat(QFile::encodeName(pty).constData(), &node), 0);
    const QString group = QString::fromLocal8Bit(getgrgid(node.st_gid)->gr_name);
    const std::pair<mode_t, QString> modes[] = {
        {0660, "join the group " + group + " (sudo usermod -aG " + group + " nobody), then log out and in again."},
        {0600, "only its owner, root, can open it (mode 0600)."}};
    for (const auto &[mode, advice] : modes) {
        ASSERT_EQ(chmod(QFile::encodeName(pty).constData(), mode), 0);
        const std::string said = InChild([this] {
            if (const std::string why = BecomeUnprivileged(); !why.empty())
                return why;
            return OpenGatewayPort(1) ? std::string("opened") : boxes.Last().text.toStdString();
        });
        EXPECT_EQ(QString::fromStdString(said), unable + "No permission to use " + pty + ": " + advice);
    }
}
