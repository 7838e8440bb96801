// The port list as the operator meets it: COM1 to COM8 first with their
// devices, then the ports the system reports, kept up to date, remembered,
// reachable by --port; and a port that will not open says why.
#include "transfer/TransferFixture.h"

#include "common/ChildProcess.h"
#include "link/PortList.h"
#include "ui/PortComboBox.h"

#include "common/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QThread>

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
    // The closed box shows the name, and of a long path its end.
    const QFontMetrics metrics = window->cboComPort->fontMetrics();
    EXPECT_EQ(PortComboBox::ClosedText("ttyUSB2 (CP2102)", metrics, 45), "ttyUSB2");
    const QString shown = PortComboBox::ClosedText("/dev/pts/12", metrics, 45);
    EXPECT_TRUE(shown.startsWith(QChar(0x2026)) && shown.endsWith("pts/12")) << shown.toStdString();
    // ... and once it is unplugged the list falls back on COM1.
    reported.erase(reported.begin() + 4);
    reopen();
    EXPECT_EQ(window->cboComPort->currentText(), "COM1");
    EXPECT_EQ(window->cboComPort->count(), 11);
}

TEST_F(PortTest, PortOptionCarriesAWholeTransferToTheSimulator)
{
    SetPortDevice(1, QString()); // COM1 is the real /dev/ttyS0 again; only --port reaches the simulator
    const QString pty = QString::fromStdString(gateway.sim.SlavePath());
    window->ChoosePort(pty);
    EXPECT_EQ(window->cboComPort->currentText(), pty);
    ConfigImage[2 * 7] = 0x42;
    Run(window->mnuDownload);
    EXPECT_EQ(Commands().size(), 7u);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Complete", 0, "Download"}}));
    ClearImage();
    Run(window->mnuUpload);
    EXPECT_EQ(ConfigImage[2 * 7], 0x42);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Upload Complete", 0, "Upload"}}));
    window->ChoosePort("com3"); // a COM name is its entry, however written
    EXPECT_EQ(window->cboComPort->currentIndex(), 2);

    // The program takes --port to the same choice, which it remembers.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", home.filePath("xdg"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(LUMENTORMGW_PROGRAM, {"--port", pty});
    const QString remembered = home.filePath("xdg/LumentorMGW/LumentorMGW.conf");
    for (int i = 0; i < 250 && !ReadAll(remembered).contains("port=" + pty.toUtf8()); ++i)
        QThread::msleep(20);
    program.kill();
    program.waitForFinished();
    EXPECT_EQ(ReadAll(remembered), "[General]\nport=" + pty.toUtf8() + "\n");
}

TEST_F(PortTest, ChoiceIsRememberedAndForgottenWhenGone)
{
    reported = {{"ttyUSB0", "FT232R USB UART", "/dev/ttyUSB0"}};
    const auto restart = [this] {
        window.reset();
        ForgetNamedPorts();
        window = std::make_unique<frmLumentorMGW>();
        return window->cboComPort->currentText();
    };
    SetPortDevice(1, QString()); // the simulator only under its own name
    EXPECT_EQ(restart(), "COM1");
    window->cboComPort->setCurrentIndex(8);
    emit window->cboComPort->activated(8); // the operator's pick
    EXPECT_EQ(restart(), "ttyUSB0 (FT232R USB UART)");
    window->ChoosePort(QString::fromStdString(gateway.sim.SlavePath()));
    EXPECT_EQ(restart(), QString::fromStdString(gateway.sim.SlavePath()));
    reported.clear();
    window->cboComPort->setCurrentIndex(8);
    emit window->cboComPort->activated(8);
    EXPECT_EQ(restart(), "COM1");
}

// Each reason made real: a missing node, a port another opener holds, and
// a node the user may not open (as root too: the opening runs as nobody, see
// ChildProcess.h).
TEST_F(PortTest, PortThatWillNotOpenSaysWhy)
{
    const QString pty = QString::fromStdString(gateway.sim.SlavePath());
    const QString unable = "Unable To Open Port\r\n";
    QTemporaryDir dir;
    const QString missing = dir.filePath("ttyUSB7");
    SetPortDevice(2, missing);
    EXPECT_FALSE(OpenGatewayPort(2));
    EXPECT_EQ(boxes.boxes, (Boxes{{unable + "There is no device " + missing
                                       + ": plug the adapter in or choose another port.", 16, "Port Error"}}));

    boxes.Clear();
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
