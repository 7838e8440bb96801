// The port list as the operator meets it: COM1 to COM8 first with their
// devices, then the ports the system reports, kept up to date, remembered,
// reachable by --port; and a port that will not open says why.
#include "transfer/TransferFixture.h"

#include "common/ChildProcess.h"
#include "link/PortList.h"

#include <QFile>
#include <QSerialPort>

#include <sys/stat.h>

using namespace modLumentorMGW;

namespace {
QStringList Entries(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

const QStringList Com = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"};
} // namespace

class PortTest : public TransferTest {
protected:
    void SetUp() override
    {
        previous = SetPortReporter([this] { return reported; });
        TransferTest::SetUp();
    }
    void TearDown() override
    {
        TransferTest::TearDown();
        SetPortReporter(previous);
    }
    std::vector<ReportedPort> reported;
    PortReporter previous;
};

TEST_F(PortTest, ListHoldsTheEightThenReportedPortsAndFollowsThePlugging)
{
    reported = {{"ttyUSB10", "FT232R USB UART", "/dev/ttyUSB10"}, {"ttyS0", "", "/dev/ttyS0"},
                {"COM3", "Communications Port", "COM3"}, {"ttyACM0", "", "/dev/ttyACM0"},
                {"ttyUSB2", "CP2102", "/dev/ttyUSB2"}};
    SetPortDevice(1, QString());
    const auto reopen = [this] {
        window->cboComPort->showPopup();
        window->cboComPort->hidePopup();
    };
    reopen();
    const QStringList adapters = {"ttyACM0", "ttyUSB2 (CP2102)", "ttyUSB10 (FT232R USB UART)"};
    EXPECT_EQ(Entries(window->cboComPort), Com + adapters);
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(PortDevice(int16_t(n)), QStringLiteral("/dev/ttyS%1").arg(n - 1));
    EXPECT_EQ(PortDevice(10), "/dev/ttyUSB2");

    // The chosen adapter keeps its place in the list when another is plugged in before it ...
    window->cboComPort->setCurrentIndex(9);
    reported.push_back({"ttyACM1", "", "/dev/ttyACM1"});
    reopen();
    EXPECT_EQ(window->cboComPort->currentText(), "ttyUSB2 (CP2102)");
    EXPECT_EQ(window->cboComPort->currentIndex(), 10);
    // ... and once it is unplugged the list falls back on COM1.
    reported.erase(reported.begin() + 4);
    reopen();
    EXPECT_EQ(window->cboComPort->currentText(), "COM1");
    EXPECT_EQ(window->cboComPort->count(), 11);
}

// Each reason made real (a missing node is met by the transfers): a port
// another opener holds, and a node the user may not open (as root too: the
// opening runs as nobody, see ChildProcess.h).
TEST_F(PortTest, PortThatWillNotOpenSaysWhy)
{
    const QString pty = QString::fromStdString(gateway.sim.SlavePath());
    const QString unable = "Unable To Open Port\r\n";
    {
        QSerialPort other;
        other.setPortName(pty);
        ASSERT_TRUE(other.open(QIODevice::ReadWrite));
        EXPECT_FALSE(OpenGatewayPort(1));
    }
    EXPECT_EQ(boxes.boxes, (Boxes{{unable + pty + " is busy: another program is using it. Close that program "
                                                  "and try again.", 16, "Port Error"}}));

    const QByteArray node = QFile::encodeName(pty);
    struct stat before {};
    ASSERT_EQ(stat(node.constData(), &before), 0);
    ASSERT_EQ(chmod(node.constData(), 0), 0);
    const std::string said = InChild([] {
        if (const std::string why = BecomeUnprivileged(); !why.empty())
            return why;
        std::string text;
        SetMsgBoxHandler([&text](const QString &box, int, const QString &) {
            text = box.toStdString();
            return vbOK;
        });
        return OpenGatewayPort(1) ? std::string("opened") : text;
    });
    chmod(node.constData(), before.st_mode & 07777);
    EXPECT_EQ(QString::fromStdString(said), unable + "No permission to use " + pty
                                           + ": join the group dialout (sudo usermod -aG dialout $USER), "
                                             "then log out and in again.");
    EXPECT_TRUE(gateway.sim.Journal().empty());
}
