// The recovery copy as the operator's work leaves it on disk; the copies
// of ended windows as the next start offers them; and the real program
// killed with SIGKILL at random moments, once while it writes its copy:
// started again and answered Yes, it holds a whole image the window really
// had, the one written last, cell for cell.
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "image/MapFile.h"
#include "image/RecoveryNote.h"
#include "ui/recovery/RecoveryCopy.h"

#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <ctime>
#include <random>

using namespace modLumentorMGW;

// Runs the events until `done` holds (at most 10 s).
static void Await(const std::function<bool()> &done)
{
    for (int i = 0; i < 2000 && !done(); ++i, QThread::msleep(5))
        QCoreApplication::processEvents();
}

// The real window with its recovery copies in the test's own folder, times
// shown in UTC.
class RecoveryTest : public WindowFixture {
protected:
    void SetUp() override
    {
        qputenv("TZ", "UTC");
        tzset();
        qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath("state")));
        WindowFixture::SetUp();
    }

    QString Folder(const QString &file = {}) const { return home.filePath("state/LumentorMGW/Recovery/" + file); }
    RecoveryWriter &Writer() const { return RecoveryCopy::Of(window.get())->Writer(); }

    void RunUntil(const std::function<bool()> &done) const { Await(done), Writer().Finish(); }
    // What the timer does, now.
    void Snapshot() const { RecoveryCopy::Of(window.get())->TakeSnapshot(), Writer().Finish(); }

    static QByteArray ImageBytes() { return {reinterpret_cast<const char *>(ConfigImage), MapFileBytes}; }
};

TEST_F(RecoveryTest, CopyFollowsTheUnsavedImageUntilSavedOrClosed)
{
    // A type, then an auto map run over 200 points: one write.
    SelectPoint(2);
    window->cboType->setCurrentIndex(5);
    window->cboAMGrp->setCurrentIndex(198);
    window->cmdAMGrp->click();
    RunUntil([&] { return Writer().Written() == 1; });
    EXPECT_EQ(Writer().Written(), 1);
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QString name = FilesIn(Folder()).value(0).section('.', 0, 0);
    EXPECT_EQ(FilesIn(Folder()), QStringList({name + ".1.mgw", name + ".lock", name + ".txt"}));
    const QRegularExpression note("^file=None\nprotocol=BACnet\npoint=3\ntime=20\\d\\d-\\d\\d-\\d\\dT\\d\\d:\\d\\d:"
                                  "\\d\\d\\.\\d\\d\\dZ\npid=" + pid + "\nimage=" + pid + "-\\d+\\.1\\.mgw\n$");
    EXPECT_TRUE(note.match(ReadAll(Folder(name + ".txt"))).hasMatch()) << ReadAll(Folder(name + ".txt")).data();
    EXPECT_EQ(ReadAll(Folder(name + ".1.mgw")), ImageBytes());

    // Saved: no copy. Changed, it names the file; undone to the save, gone again.
    replies = {home.filePath("plant.MGW")};
    window->mnuFileSaveAs->trigger();
    Writer().Finish();
    EXPECT_EQ(FilesIn(Folder()), QStringList{name + ".lock"});
    window->cboType->setCurrentIndex(1);
    Snapshot();
    EXPECT_EQ(ReadAll(Folder(name + ".1.mgw")), ImageBytes());
    EXPECT_TRUE(ReadAll(Folder(name + ".txt")).startsWith("file=" + QFile::encodeName(home.filePath("plant.MGW"))));
    window->mnuEditUndo->trigger();
    RunUntil([&] { return FilesIn(Folder()).size() == 1; });
    EXPECT_EQ(FilesIn(Folder()), QStringList{name + ".lock"});

    // A clean exit leaves nothing.
    window->cboType->setCurrentIndex(2);
    Snapshot();
    EXPECT_EQ(FilesIn(Folder()).size(), 3);
    window.reset();
    EXPECT_EQ(FilesIn(Folder()), QStringList());
}

// Newest first; damaged ones set aside; a live window's copy left alone;
// No keeps a copy until the next save, Yes puts the window back and the
// copy becomes its own.
TEST_F(RecoveryTest, CopiesOfEndedWindowsAreOfferedNewestFirst)
{
    const auto Pattern = [](int seed) {   // every cell unlike its neighbours
        QByteArray image(MapFileBytes, '\0');
        for (int i = 0; i < MapFileBytes; i += 2)
            image[i] = char(i / 2 * seed % 251);
        return image;
    };
    QDir().mkpath(Folder());
    const auto plant = [&](const QString &name, const QByteArray &note, const QByteArray &image) {
        WriteAll(Folder(name + ".txt"), note + "pid=77\nimage=" + name.toUtf8() + ".2.mgw\n");
        WriteAll(Folder(name + ".2.mgw"), image);
    };
    const QByteArray unsaved = "file=None\nprotocol=BACnet\npoint=3\n";
    plant("77-1", "file=/maps/plant.MGW\nprotocol=LonWorks\npoint=12\ntime=2026-03-01T09:30:00.000Z\n", Pattern(3));
    plant("77-2", unsaved + "time=2026-03-01T10:00:00.000Z\n", Pattern(5));
    plant("77-3", unsaved + "time=2026-03-01T11:00:00.000Z\n", QByteArray(1000, 'x'));
    plant("77-4", unsaved, Pattern(7));
    plant("77-5", unsaved + "time=2026-03-01T12:00:00.000Z\n", Pattern(9));
    WriteAll(Folder("77-6.1.mgw"), Pattern(11));   // a first write stopped before its note
    QLockFile running(Folder("77-5.lock"));        // 77-5's window still runs
    ASSERT_TRUE(running.tryLock(0));

    boxes.Answer(vbNo);
    boxes.Answer(vbYes);
    window = std::make_unique<frmLumentorMGW>();
    QCoreApplication::processEvents();
    const QString aside = "\nIt was set aside in " + Folder("Damaged") + ".";
    EXPECT_EQ(boxes.boxes,
              (Boxes{{"The recovery copy " + Folder("77-3.txt") + " cannot be used: its image holds 1000 bytes; a copy "
                      "holds 262144." + aside, 48, "LumentorMGW"},
                     {"The recovery copy " + Folder("77-4.txt") + " cannot be used: its note has no time."
                          + aside, 48, "LumentorMGW"},
                     {"Recover the unsaved changes to an unsaved map from 2026-03-01 10:00:00?", 36, "LumentorMGW"},
                     {"Recover the unsaved changes to /maps/plant.MGW from 2026-03-01 09:30:00?", 36, "LumentorMGW"}}));
    EXPECT_EQ(window->lblFileName->text(), "/maps/plant.MGW");
    EXPECT_TRUE(window->optProtocol[1]->isChecked());
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 012");
    EXPECT_EQ(ImageBytes(), Pattern(3));
    EXPECT_TRUE(Dirty);
    EXPECT_EQ(QDir(Folder("Damaged")).entryList(QDir::Files).join(' ').count("77-"), 4);

    // The recovered copy is this window's now; the declined one stays, and a
    // second window does not ask about it again.
    RunUntil([&] { return Writer().Written() == 1; });
    EXPECT_EQ(ReadAll(Folder("77-1.1.mgw")), Pattern(3));
    EXPECT_TRUE(ReadAll(Folder("77-1.txt")).contains("pid=" + QByteArray::number(QCoreApplication::applicationPid())));
    {
        frmLumentorMGW second;
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(boxes.Count(), 4);

    // New gives the recovered map up, copy and all; the next save gives up the declined one.
    const QStringList others{"77-2.2.mgw", "77-2.lock", "77-2.txt", "77-5.2.mgw", "77-5.lock", "77-5.txt"};
    boxes.Answer(vbYes);
    window->mnuFileNew->trigger();
    Writer().Finish();
    EXPECT_EQ(FilesIn(Folder()), QStringList{"77-1.lock"} + others);
    replies = {home.filePath("plant.MGW")};
    window->mnuFileSaveAs->trigger();
    EXPECT_EQ(FilesIn(Folder()), QStringList({"77-1.lock", "77-5.2.mgw", "77-5.lock", "77-5.txt"}));
    window.reset();
    EXPECT_EQ(FilesIn(Folder()), QStringList({"77-5.2.mgw", "77-5.lock", "77-5.txt"}));
}

namespace {
// The program, its events fed on standard input (--feed-events).
struct Program {
    explicit Program(const QString &state)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_STATE_HOME", state);
        process.setProcessEnvironment(env);
        process.start(LUMENTORMGW_PROGRAM, {"--feed-events"});
    }
    QString Ask(const QString &line)
    {
        process.write(line.toUtf8() + '\n');
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {}
        return QString::fromUtf8(process.readLine()).trimmed();
    }
    QString Box()
    {
        QString box;
        Await([&] { return (box = Ask("box")) != "box none"; });
        return box;
    }
    // Any file of the folder open but a lock (held open while locked).
    bool Writing(const QString &folder) const
    {
        const QString fds = QStringLiteral("/proc/%1/fd/").arg(process.processId());
        char target[4096];
        for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            const ssize_t n = readlink(QFile::encodeName(fds + fd), target, sizeof target);
            const QByteArray file(target, int(std::max<ssize_t>(n, 0)));
            if (file.startsWith(QFile::encodeName(folder + '/')) && !file.endsWith(".lock"))
                return true;
        }
        return false;
    }
    QProcess process;
};

struct Copy { RecoveryNote note; QByteArray image; };

// The one copy in folder, once there is one.
Copy Read(const QString &folder)
{
    QStringList notes;
    Await([&] { return !(notes = QDir(folder).entryList({"*.txt"})).isEmpty(); });
    QString why;
    const RecoveryNote note = RecoveryNote::Parse(ReadAll(folder + '/' + notes.value(0)), &why);
    EXPECT_EQ(notes.size() + why.size(), 1) << why.toStdString();
    return {note, ReadAll(folder + '/' + note.image)};
}
} // namespace

TEST_F(RecoveryTest, KilledProgramComesBackAtItsLastWriteNeverTorn)
{
    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const QString state = home.filePath("program"), folder = state + "/LumentorMGW/Recovery";
    // The same key presses to the program and to this window, whose images
    // after each are all the program's may be.
    std::vector<QByteArray> states{ImageBytes()};
    const auto edit = [&](Program &program) {
        const char *lists[] = {"cboType", "cboSNode", "cboSRelay", "cboLLGrp", "cboTimeout", "cboPoint"};
        const QString list = lists[random() % 6];
        const bool down = random() % 4 != 0 && window->cboPoint->currentIndex() < 49;   // no multi relay refusal
        ASSERT_EQ(program.Ask("key " + list + (down ? " Down" : " Up")), "ok");
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, down ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
            QApplication::sendEvent(window->findChild<QWidget *>(list), &key);
        }
        states.push_back(ImageBytes());
    };

    auto program = std::make_unique<Program>(state);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 5; ++i)
            edit(*program);
        const auto written = std::find(states.begin(), states.end(), Read(folder).image);   // kept from here on
        ASSERT_NE(written, states.end());
        const auto oldest = written - states.begin();
        bool writing = false;   // round 0 is killed while a copy is being written
        for (int i = 0, n = 5 + int(random() % 30); i < n || (round == 0 && !writing && i < 400); ++i) {
            edit(*program);
            QElapsedTimer poll;
            for (poll.start(); round == 0 && !writing && poll.elapsed() < 10;)
                writing = program->Writing(folder);
        }
        QThread::msleep(round == 1 ? random() % 1000 : 0);
        ::kill(pid_t(program->process.processId()), SIGKILL);
        program->process.waitForFinished();
        EXPECT_TRUE(round == 1 || writing);
        const Copy killed = Read(folder);
        EXPECT_NE(std::find(states.begin() + oldest, states.end(), killed.image), states.end()) << "torn, or older";

        // Yes: the program takes the copy back and writes it again as its own.
        program = std::make_unique<Program>(state);
        EXPECT_TRUE(program->Box().startsWith("box Recover the unsaved changes to an unsaved map from "));
        ASSERT_EQ(program->Ask("press Yes"), "ok");
        Await([&] { return Read(folder).note.pid == program->process.processId(); });
        const Copy rewritten = Read(folder);
        EXPECT_EQ(rewritten.image, killed.image);
        EXPECT_EQ(rewritten.note.point, killed.note.point);
        window = std::make_unique<frmLumentorMGW>();
        RecoveryCopy::Restore(*window, killed.note, killed.image);
        states = {ImageBytes()};
    }

    // Closed, the question answered: nothing is left.
    program->process.write("close\n");
    EXPECT_EQ(program->Box(), "box Discard Any Changes?");
    program->process.write("press Yes\n");
    EXPECT_TRUE(program->process.waitForFinished(10000));
    EXPECT_EQ(FilesIn(folder), QStringList());
}
