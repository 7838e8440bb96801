// The real program on an X server of its own, worked by real key presses
// (xdotool) and killed with SIGKILL at chosen moments of its copy's write:
// once while it writes the image, once while it writes the note (of the copy
// it took back). Started again and answered Yes, it holds a whole image it
// really had, not older than one it wrote before, cell for cell. This window
// gets the same key presses, so its images after each are all the program's
// may be.
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

// The size of a file the program writes in the folder, not yet in its place
// (a temporary, unnamed or not), or -1.
qint64 Writing(const QProcess &program, const QString &folder)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(program.processId()));
    for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString file = QFile::symLinkTarget(fds.filePath(fd));
        if (file.startsWith(folder + '/') && !file.endsWith(".lock") && !file.endsWith(".mgw") && !file.endsWith(".txt"))
            return QFileInfo(fds.filePath(fd)).size();
    }
    return -1;
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

    Copy copy;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        program.start("env", command);
        if (round == 1) { // Yes: the program takes the copy back, and so does this window
            ASSERT_TRUE(Press("^LumentorMGW$", {"alt+y"}));
            window = std::make_unique<frmLumentorMGW>();
            window->show();
            RecoveryCopy::Restore(*window, copy.note, copy.image);
            QProcess search; // keys pressed before the box is gone would be lost with it
            for (int i = 0; i < 200 && (search.start("xdotool", {"search", "--onlyvisible", "--name", "^LumentorMGW$"}),
                                        search.waitForFinished(), search.exitCode() == 0); ++i)
                QThread::msleep(5);
        }
        QApplication::setActiveWindow(window.get());
        states = {image()};
        while (round == 0 && !Dirty) // point choices alone leave nothing to keep
            send(5);
        // Killed as a write has its image open (at its full size, not yet in
        // its place): round 0, a write of edits after the first copy; or its
        // note: round 1, the first write, the copy taken back written again.
        bool now = false;
        for (int batch = 0; batch < 8 && !now; ++batch) {
            if (round == 0 || batch > 0) { // kept from the copy on disk now on
                states.erase(states.begin(), std::find(states.begin(), states.end(), Read(folder).image));
                ASSERT_FALSE(states.empty()) << "the program and this window went different ways";
                send(5 + int(random() % 20));
            }
            QElapsedTimer poll;
            for (poll.start(); !now && poll.elapsed() < 2000;) {
                const qint64 size = Writing(program, folder);
                now = round == 0 ? size >= MapFileBytes : size > 0 && size < 4096;
            }
        }
        ::kill(pid_t(program.processId()), SIGKILL);
        program.waitForFinished();
        EXPECT_TRUE(now);
        copy = Read(folder);
        EXPECT_NE(std::find(states.begin(), states.end(), copy.image), states.end()) << "torn, or older";
    }
    // Yes: the program takes the copy back and writes it again as its own.
    program.start("env", command);
    ASSERT_TRUE(Press("^LumentorMGW$", {"alt+y"}));
    Copy own;
    for (int i = 0; i < 1000 && (own = Read(folder)).note.pid != program.processId(); ++i)
        QThread::msleep(10);
    EXPECT_EQ(own.image, copy.image);
    EXPECT_EQ(own.note.point, copy.note.point);

    // Exit from the File menu, the question answered: nothing is left.
    ASSERT_TRUE(Press("Mapped Gateway", {"alt", "Down", "Up", "Return"}) && Press("^Arvane Lumentor$", {"alt+y"}));
    EXPECT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(FilesIn(folder), QStringList());
    xvfb.close();
}
