// The real program killed with SIGKILL at random moments, once while it
// writes its copy: started again and answered Yes, it holds a whole image
// the window really had, the one written last, cell for cell.
#include "recovery/RecoveryFixture.h"

#include "image/RecoveryNote.h"
#include "ui/recovery/RestoreCopy.h"

#include <QProcess>

#include <csignal>
#include <random>

using namespace modLumentorMGW;

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
        for (int i = 0; i < 1000 && (box = Ask("box")) == "box none"; ++i)
            QThread::msleep(5);
        return box;
    }
    // A file of the copies is open (a lock file stays open).
    bool Writing(const QString &folder) const
    {
        const QString fds = QStringLiteral("/proc/%1/fd/").arg(process.processId());
        char target[4096];
        for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            const ssize_t n = readlink(QFile::encodeName(fds + fd).constData(), target, sizeof target);
            const QByteArray file(target, int(std::max<ssize_t>(n, 0)));
            if (file.startsWith(QFile::encodeName(folder + '/')) && !file.endsWith(".lock"))
                return true;
        }
        return false;
    }
    QProcess process;
};

struct Copy {
    RecoveryNote note;
    QByteArray image;
};

// The one copy in folder, once there is one.
Copy Read(const QString &folder)
{
    for (int i = 0; i < 2000 && QDir(folder).entryList({"*.txt"}).isEmpty(); ++i)
        QThread::msleep(5);
    const QStringList notes = QDir(folder).entryList({"*.txt"});
    QString why;
    Copy copy{RecoveryNote::Parse(ReadAll(folder + '/' + notes.value(0)), &why), {}};
    copy.image = ReadAll(folder + '/' + copy.note.image);
    EXPECT_EQ(notes.size(), 1);
    EXPECT_EQ(why, "");
    return copy;
}
} // namespace

TEST_F(RecoveryTest, KilledProgramComesBackAtItsLastWriteNeverTorn)
{
    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const QString state = home.filePath("program"), folder = state + "/LumentorMGW/Recovery";
    std::vector<QByteArray> states{ImageBytes()};   // the window's image after each edit
    // The same events to the program and to this window, whose images show
    // what the program's can be.
    const auto edit = [&](Program &program) {
        const char *lists[] = {"cboType", "cboSNode", "cboSRelay", "cboLLGrp", "cboTimeout", "cboPoint"};
        const QString list = lists[random() % 6];
        const bool down = random() % 4 != 0 && window->cboPoint->currentIndex() < 49;   // points without the multi relay refusal
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
        const auto from = std::find(states.begin(), states.end(), Read(folder).image);   // written, so kept
        ASSERT_NE(from, states.end());
        const int offset = int(from - states.begin());
        bool writing = false;
        for (int i = 0, n = 5 + int(random() % 30); i < n || (round == 0 && !writing && i < 400); ++i) {
            edit(*program);
            for (QElapsedTimer poll; round == 0 && !writing && (poll.isValid() || (poll.start(), true)) && poll.elapsed() < 10;)
                writing = program->Writing(folder);
        }
        if (round == 1)
            QThread::msleep(random() % 1000);
        ::kill(pid_t(program->process.processId()), SIGKILL);
        program->process.waitForFinished();
        EXPECT_TRUE(round == 1 || writing);
        const Copy killed = Read(folder);
        EXPECT_NE(std::find(states.begin() + offset, states.end(), killed.image), states.end()) << "torn, or older";

        // Yes: the program takes the copy back, and writes it again as its own.
        program = std::make_unique<Program>(state);
        EXPECT_TRUE(program->Box().startsWith("box Recover the unsaved changes to an unsaved map from "));
        ASSERT_EQ(program->Ask("press Yes"), "ok");
        for (int i = 0; i < 2000 && Read(folder).note.pid != program->process.processId(); ++i)
            QThread::msleep(5);
        const Copy rewritten = Read(folder);
        EXPECT_EQ(rewritten.image, killed.image);
        EXPECT_EQ(rewritten.note.point, killed.note.point);
        window = std::make_unique<frmLumentorMGW>();
        RestoreCopy(*window, killed.note, killed.image);
        states = {ImageBytes()};
    }

    // Closed, the question answered: nothing is left.
    program->process.write("close\n");
    EXPECT_EQ(program->Box(), "box Discard Any Changes?");
    program->process.write("press Yes\n");
    EXPECT_TRUE(program->process.waitForFinished(10000));
    EXPECT_EQ(FilesIn(folder), QStringList());
}
