// The real program on an X server of its own, worked by real key presses
// (xdotool) and killed with SIGKILL at random moments, once while it writes
// its copy: started again and answered Yes, it holds a whole image it really
// had, not older than one it wrote before, cell for cell. This window gets
// the same key presses, so its images after each are all the program's may be.
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "ui/recovery/RecoveryCopy.h"

#include <QTest>

#include <csignal>
#include <cstdio>
#include <random>

using namespace modLumentorMGW;

namespace {
// Gives the keyboard to the window whose title matches, once it is shown
// (within 20 s), and presses keys. A window found can be gone before it
// takes the focus (a menu's, a box's): the search is tried again, the keys
// only once.
bool Press(const QString &title, const QStringList &keys)
{
    for (int attempt = 0; attempt < 3; ++attempt, QThread::msleep(100)) {
        if (QProcess::execute("timeout", {"20", "xdotool", "search", "--sync", "--onlyvisible", "--name", title,
                                          "windowfocus", "--sync"}) == 0)
            return QProcess::execute("xdotool", QStringList{"key", "--delay", "2"} + keys) == 0;
    }
    return false;
}

// Any file of the folder open in the program but a lock (held open while locked).
bool Writing(const QProcess &program, const QString &folder)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(program.processId()));
    const QStringList open = fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    return std::any_of(open.begin(), open.end(), [&](const QString &fd) {
        const QString file = QFile::symLinkTarget(fds.filePath(fd));
        return file.startsWith(folder + '/') && !file.endsWith(".lock");
    });
}

struct Copy { RecoveryNote note; QByteArray image; };

// The one copy in folder, once there is one (at most 10 s).
Copy Read(const QString &folder)
{
    QStringList notes;
    for (int i = 0; i < 1000 && (notes = QDir(folder).entryList({"*.txt"})).isEmpty(); ++i)
        QThread::msleep(10);
    QString why;
    const RecoveryNote note = RecoveryNote::Parse(ReadAll(folder + '/' + notes.value(0)), &why);
    EXPECT_EQ(notes.size() + why.size(), 1) << why.toStdString();
    return {note, ReadAll(folder + '/' + note.image)};
}
} // namespace

using KilledProgramTest = WindowFixture;

TEST_F(KilledProgramTest, ComesBackAtItsLastWriteNeverTorn)
{
    QProcess xvfb;   // picks a free display itself and names it once it takes clients
    xvfb.start("Xvfb", {"-displayfd", "1", "-noreset", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    ASSERT_TRUE(xvfb.waitForReadyRead(20000)) << "no X server: " << xvfb.errorString().toStdString();
    qputenv("DISPLAY", ':' + xvfb.readAllStandardOutput().trimmed());
    qputenv("ASAN_OPTIONS", qgetenv("ASAN_OPTIONS") + ":strict_string_checks=0");   // libxkbcommon-x11's strndup
    // MGW_KILL_SEED replays a run: the seed is printed first thing.
    const QByteArray given = qgetenv("MGW_KILL_SEED");
    const unsigned seed = given.isEmpty() ? std::random_device()() : given.toUInt();
    std::printf("MGW_KILL_SEED=%u\n", seed);
    std::fflush(stdout);
    SCOPED_TRACE("MGW_KILL_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    const QString state = home.filePath("program"), folder = state + "/LumentorMGW/Recovery";
    const QStringList command{"XDG_STATE_HOME=" + state, "QT_QPA_PLATFORM=xcb", LUMENTORMGW_PROGRAM};
    QProcess program;   // started by env: the same process
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    const auto image = [] { return QByteArray(reinterpret_cast<const char *>(ConfigImage), MapFileBytes); };
    std::vector<QByteArray> states{image()};

    // Edits: on to a list by Tab, then a step through it or Ctrl+Z; pressed
    // here at once and in the program together.
    const auto send = [&](int edits) {
        QComboBox *lists[] = {window->cboType,  window->cboSNode,   window->cboSRelay,
                              window->cboLLGrp, window->cboTimeout, window->cboPoint};
        const char *steps[] = {"Down", "Down", "Down", "Down", "Down", "Up", "Up", "Ctrl+z"};
        QStringList keys;
        const auto press = [&](const char *key) {
            const QKeyCombination pressed = QKeySequence(key)[0];
            QTest::keyClick(QApplication::focusWidget(), pressed.key(), pressed.keyboardModifiers());
            keys << key;
        };
        for (int i = 0; i < edits; ++i) {
            QComboBox *list = lists[random() % 6];
            while (!list->isVisible())
                list = lists[random() % 6];
            for (int tabs = 0; tabs < 40 && QApplication::focusWidget() != list; ++tabs)
                press("Tab");
            press(window->cboPoint->currentIndex() >= 49 ? "Up" : steps[random() % 8]);   // no multi relay refusal
            states.push_back(image());
        }
        EXPECT_TRUE(Press("Mapped Gateway", keys));
    };

    program.start("env", command);
    QApplication::setActiveWindow(window.get());
    for (int round = 0; round < 2; ++round) {
        do
            send(5);
        while (!Dirty);   // point choices alone leave nothing to keep
        // Kept from the one seen here on.
        const size_t oldest = std::find(states.begin(), states.end(), Read(folder).image) - states.begin();
        ASSERT_LT(oldest, states.size()) << "the program and this window went different ways";
        // Round 0 is killed at a random moment of a copy's write (one file or
        // the other open), timed from when the write is seen to start against
        // how long the last one was seen to last, however slowly this machine
        // polls; round 1 at any moment.
        bool now = false;
        QElapsedTimer writing;
        qint64 after = -1, span = 50;
        const auto midWrite = [&] {
            if (!Writing(program, folder)) {
                span = after < 0 ? span : std::max<qint64>(1, writing.elapsed());
                return (after = -1) >= 0;
            }
            if (after < 0)
                after = qint64(random() % uint32_t(span)), writing.start();
            return writing.elapsed() >= after;
        };
        for (int batch = 0, at = int(random() % 1000); batch < 8 && !now; ++batch) {
            send(5 + int(random() % 20));
            QElapsedTimer poll;
            for (poll.start(); !now && poll.elapsed() < 2000;)
                now = round == 0 ? midWrite() : poll.elapsed() >= at;
        }
        ::kill(pid_t(program.processId()), SIGKILL);
        program.waitForFinished();
        EXPECT_TRUE(now);
        const Copy killed = Read(folder);
        EXPECT_NE(std::find(states.begin() + oldest, states.end(), killed.image), states.end()) << "torn, or older";

        // Yes: the program takes the copy back and writes it again as its own.
        program.start("env", command);
        ASSERT_TRUE(Press("^LumentorMGW$", {"alt+y"}));
        Copy rewritten;
        for (int i = 0; i < 1000 && (rewritten = Read(folder)).note.pid != program.processId(); ++i)
            QThread::msleep(10);
        EXPECT_EQ(rewritten.image, killed.image);
        EXPECT_EQ(rewritten.note.point, killed.note.point);
        window = std::make_unique<frmLumentorMGW>();
        window->show();
        RecoveryCopy::Restore(*window, killed.note, killed.image);
        QApplication::setActiveWindow(window.get());
        states = {image()};
    }

    // Exit from the File menu, the question answered: nothing is left.
    ASSERT_TRUE(Press("Mapped Gateway", {"alt", "Down", "Up", "Return"}) && Press("^Arvane Lumentor$", {"alt+y"}));
    EXPECT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(FilesIn(folder), QStringList());
    xvfb.close();
}
