// mgw as the real program, where only a process shows it (Ctrl+C, exit
// statuses end to end), and its progress bar on a terminal.
#include "cli/MgwFixture.h"

#include "cli/TerminalPanel.h"

#include <QProcess>
#include <QThread>
#include <csignal>

// The real program: Ctrl+C ends any wait on a silent gateway at once, with
// the cancel message and status 130, its JSON object alone on standard
// output, and leaves no file.
TEST_F(MgwTest, ProgramExitsWith130OnCtrlCAndItsStatusEndToEnd)
{
    const QString map = SampleMap(), uploaded = dir.filePath("up.MGW"), record = dir.filePath("record.jsonl");
    const std::tuple<const char *, QString, const char *, QString> cases[] = {
        {"download", map, "3600", "Manual Download Cancel.\n" + Warning},
        {"upload", uploaded, "39", "Manual Upload Cancel.\nFile Left As It Was: " + uploaded + "\n"},
        {"verify", map, "3F0", "Manual Verify Cancel.\n"},
    };
    QProcess mgw;
    for (const auto &[command, file, silent, message] : cases) {
        gateway.sim.ClearJournal();
        gateway.sim.ArmFault(MakeFault(gatesim::FaultKind::Silence, silent));
        mgw.start(MGW_PROGRAM, {command, file, "--port", Pty(), "--json", "--record", record});
        ASSERT_TRUE(gateway.sim.WaitForJournal(1, 5000));
        ::kill(pid_t(mgw.processId()), SIGINT);
        ASSERT_TRUE(mgw.waitForFinished(2000)) << command; // not the 5 s the reply may take
        EXPECT_EQ(mgw.exitCode(), 130);
        EXPECT_TRUE(QString::fromUtf8(mgw.readAllStandardError()).endsWith(message)) << command;
        EXPECT_EQ(gateway.sim.Journal().size(), 1u);
        const QByteArray out = mgw.readAllStandardOutput();
        const QJsonObject o = QJsonDocument::fromJson(out).object();
        EXPECT_EQ(out.count('\n'), 1);
        EXPECT_EQ(o["result"].toString(), "cancelled");
        EXPECT_EQ(o["message"].toString() + "\n", message);
        EXPECT_EQ(o["record"].toObject()["written"].toBool(), true);
        objects += out;
    }
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"plant.MGW", "record.jsonl"}));
}

// The bar's time left: blocks still to send at the rate so far, nothing
// before a block has gone. A sparse download sends blocks 0 and 1040 only.
TEST(TerminalBar, TimeLeftIsTheBlocksStillToSendAtTheMeasuredRate)
{
    std::vector<bool> sparse(2048, false), none(2048, false);
    sparse[0] = sparse[1040] = true;
    for (const auto &[sent, shown] : {std::pair(sparse, ", 0:01 left"), std::pair(none, "")}) {
        QBuffer err;
        err.open(QIODevice::WriteOnly);
        mgw::TerminalPanel bar(err, true, false, sent);
        bar.SetMax(2048);
        QThread::msleep(60); // one block of two: 60 ms more
        bar.SetValue(16);
        bar.SetCaption("Downloading Block 16 Of 2048");
        mgw::EndProgressLine(err);
        EXPECT_EQ(err.data(), "\r[------------------------------] 16 blocks done, 2032 to go" + QByteArray(shown) + "\x1b[K\n");
    }
}
