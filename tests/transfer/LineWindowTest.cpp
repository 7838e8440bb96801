// The window and the line: Port > Test Connection... shows the probe in a
// box, the window keeps running while a reply is late and says it waits,
// and Log The Line writes a log and a capture of each transfer.
#include "transfer/TransferFixture.h"

#include "common/TestFiles.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

using namespace modLumentorMGW;

TEST_F(TransferTest, TestConnectionShowsTheVerdictInABox)
{
    const struct {
        gatesim::LineMode mode;
        int style;
        QString last;
    } cases[] = {
        {gatesim::LineMode::Gateway, 64, "\r\nThe gateway answers."},
        {gatesim::LineMode::Echo, 48, "connect the gateway's cable, or set the adapter not to echo."},
    };
    for (const auto &c : cases) {
        gateway.sim.SetLineMode(c.mode);
        Run(window->mnuPortTest);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last().title, "Test Connection");
        EXPECT_EQ(boxes.Last().style, c.style);
        EXPECT_TRUE(boxes.Last().text.startsWith("Port: " + QString::fromStdString(gateway.sim.SlavePath()) + "\r\n"));
        EXPECT_TRUE(boxes.Last().text.endsWith(c.last)) << boxes.Last().text.toStdString();
        ExpectWindowBack();
    }
}

// A reply 1.15 s late: a timer of the window fires during the wait (the
// gateway has handled no command yet), and the caption says so until the
// reply comes.
TEST_F(TransferTest, WindowRunsAndSaysSoWhileAReplyIsLate)
{
    window->show();
    gatesim::Fault late = MakeFault(gatesim::FaultKind::Late, "3600");
    late.delayMs = 1150;
    gateway.sim.ArmFault(late);
    size_t handledWhenFired = 99;
    QTimer::singleShot(300, [&] { handledWhenFired = gateway.sim.Handled(); });
    Run(window->mnuDownload);
    EXPECT_EQ(handledWhenFired, 0u);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Download Complete");
    ASSERT_GE(captions.seen.size(), 2u);
    EXPECT_EQ(captions.seen[0], "Waiting For The Gateway: 1 s");
    EXPECT_EQ(captions.seen[1], "Downloading Block 16 Of 2048");
}

TEST_F(TransferTest, LogTheLineWritesALogAndACaptureOfEachTransfer)
{
    QTemporaryDir state;
    const QByteArray previous = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    const QString folder = state.filePath("LumentorMGW/Line Logs");

    // As main() names the program.
    const QString name = QCoreApplication::applicationName(), version = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationName("LumentorMGW");
    QCoreApplication::setApplicationVersion("1.6");
    window->mnuPortLog->trigger();
    EXPECT_TRUE(window->mnuPortLog->isChecked());
    ConfigImage[2 * 70] = 3; // one block to send: bank 0, block 1
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.Last().text, "Download Complete");
    const QStringList files = FilesIn(folder);
    ASSERT_EQ(files.size(), 2);
    EXPECT_TRUE(files[0].endsWith(" download.log") && files[1].endsWith(" download.pcapng")) << files.join(' ').toStdString();
    const QStringList log = QString::fromUtf8(ReadAll(QDir(folder).filePath(files[0]))).split('\n');
    EXPECT_EQ(log[0], "# LumentorMGW 1.6 line log");
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(version);
    EXPECT_EQ(log.filter(" sent [").size(), 4 + 1 + 2); // each line's words: LineRecordTest
    EXPECT_EQ(ReadAll(QDir(folder).filePath(files[1])).left(4), QByteArray("\x0a\x0d\x0d\x0a", 4));

    // Where no folder can be made (a file stands in its way), nothing is sent.
    ASSERT_TRUE(QFile::remove(QDir(folder).filePath(files[0])) && QFile::remove(QDir(folder).filePath(files[1])));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(WriteAll(folder, "a file"));
    Run(window->mnuUpload);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().text.startsWith("Unable To Log The Line\r\n")) << boxes.Last().text.toStdString();
    EXPECT_TRUE(gateway.sim.Journal().empty());
    ExpectWindowBack();
    qputenv("XDG_STATE_HOME", previous);
}
