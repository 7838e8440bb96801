// The real program on an X server of its own, worked by real key presses
// (xdotool) and killed with SIGKILL at random moments, once while it writes
// its copy: started again and answered Yes, it holds a whole image it really
// had, not older than one it wrote before, cell for cell. This window gets
// the same key presses, so its images after each are all the program's may be.
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "image/RecoveryNote.h"
#include "ui/recovery/RecoveryCopy.h"

#include <QTest>

#include <csignal>
#include <dirent.h>
#include <random>

using namespace modLumentorMGW;

namespace {
// Runs xdotool; false when it fails or takes over 20 s (a window that never shows).
bool Xdo(const QStringList &args)
{
    QProcess xdo;
    xdo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xdo.start("xdotool", args);
    return xdo.waitForFinished(20000) && xdo.exitStatus() == QProcess::NormalExit && xdo.exitCode() == 0;
}

// Gives the keyboard to the window whose title matches, once it is shown.
bool Focus(const QString &title)
{
    return Xdo({"search", "--sync", "--onlyvisible", "--name", title, "windowfocus", "--sync"});
}

std::unique_ptr<QProcess> Start(const QString &state)
{
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_STATE_HOME", state);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":strict_string_checks=0");   // libxkbcommon-x11's strndup
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->start(LUMENTORMGW_PROGRAM);
    return program;
}

// Any file of the folder open in the program but a lock (held open while
// locked). Plain system calls: each microsecond here is one a write may end in.
bool Writing(const QProcess &program, const QString &folder)
{
    const std::string fds = "/proc/" + std::to_string(program.processId()) + "/fd/";
    const QByteArray prefix = QFile::encodeName(folder + '/');
    DIR *dir = opendir(fds.c_str());
    bool writing = false;
    char target[4096];
    for (dirent *fd; dir && !writing && (fd = readdir(dir));) {
        const ssize_t n = readlink((fds + fd->d_name).c_str(), target, sizeof target);
        const QByteArray file = QByteArray::fromRawData(target, int(std::max<ssize_t>(n, 0)));
        writing = file.startsWith(prefix) && !file.endsWith(".lock");
    }
    if (dir)
        closedir(dir);
    return writing;
}

QByteArray ImageBytes() { return {reinterpret_cast<const char *>(ConfigImage), MapFileBytes}; }

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
    xvfb.setStandardErrorFile(QProcess::nullDevice());
    xvfb.start("Xvfb", {"-displayfd", "1", "-noreset", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    ASSERT_TRUE(xvfb.waitForReadyRead(20000)) << "no X server: " << xvfb.errorString().toStdString();
    qputenv("DISPLAY", ':' + xvfb.readAllStandardOutput().trimmed());
    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const QString state = home.filePath("program"), folder = state + "/LumentorMGW/Recovery";
    const QString main = "Mapped Gateway", box = "^LumentorMGW$";

    std::vector<QByteArray> states;
    QStringList keys;   // for the program, pressed here already
    const auto press = [&](Qt::Key key, const char *name, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        keys << name;
    };
    // On to a list by Tab, then a step through it or Ctrl+Z.
    const auto edit = [&] {
        QComboBox *lists[] = {window->cboType,  window->cboSNode,   window->cboSRelay,
                              window->cboLLGrp, window->cboTimeout, window->cboPoint};
        QComboBox *list = lists[random() % 6];
        while (!list->isVisible())
            list = lists[random() % 6];
        for (int i = 0; i < 40 && QApplication::focusWidget() != list; ++i)
            press(Qt::Key_Tab, "Tab");
        const unsigned step = random() % 8;
        if (step == 0)
            press(Qt::Key_Z, "ctrl+z", Qt::ControlModifier);
        else if (step < 3 || window->cboPoint->currentIndex() >= 49)   // no multi relay refusal
            press(Qt::Key_Up, "Up");
        else
            press(Qt::Key_Down, "Down");
        states.push_back(ImageBytes());
    };
    const auto send = [&](int edits) {
        for (int i = 0; i < edits; ++i)
            edit();
        ASSERT_TRUE(Xdo(QStringList{"key", "--delay", "2"} + keys));
        keys.clear();
    };

    auto program = Start(state);
    ASSERT_TRUE(Focus(main));
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QApplication::focusWidget());
    states = {ImageBytes()};
    for (int round = 0; round < 2; ++round) {
        do
            send(5);
        while (!Dirty);   // point choices alone leave nothing to keep
        const auto written = std::find(states.begin(), states.end(), Read(folder).image);   // kept from here on
        ASSERT_NE(written, states.end()) << "the program and this window went different ways";
        const auto oldest = written - states.begin();
        // Round 0 is killed at a random moment of a copy's write (one file or
        // the other open), round 1 at any moment.
        bool writing = false;
        for (int batch = 0; batch < 4 && (round == 1 ? batch == 0 : !writing); ++batch) {
            send(5 + int(random() % 20));
            QElapsedTimer poll;
            for (poll.start(); round == 0 && !writing && poll.elapsed() < 2000;)
                writing = Writing(*program, folder) && random() % 32 == 0;
        }
        QThread::msleep(round == 1 ? random() % 1000 : 0);
        ::kill(pid_t(program->processId()), SIGKILL);
        program->waitForFinished();
        EXPECT_TRUE(round == 1 || writing);
        const Copy killed = Read(folder);
        EXPECT_NE(std::find(states.begin() + oldest, states.end(), killed.image), states.end()) << "torn, or older";

        // Yes: the program takes the copy back and writes it again as its own.
        program = Start(state);
        ASSERT_TRUE(Focus(box) && Xdo({"key", "alt+y"}));
        for (int i = 0; i < 1000 && Read(folder).note.pid != program->processId(); ++i)
            QThread::msleep(10);
        const Copy rewritten = Read(folder);
        EXPECT_EQ(rewritten.image, killed.image);
        EXPECT_EQ(rewritten.note.point, killed.note.point);
        ASSERT_TRUE(Focus(main));
        window = std::make_unique<frmLumentorMGW>();
        window->show();
        RecoveryCopy::Restore(*window, killed.note, killed.image);
        QApplication::setActiveWindow(window.get());
        states = {ImageBytes()};
    }

    // Exit from the File menu, the question answered: nothing is left.
    ASSERT_TRUE(Xdo({"key", "--delay", "50", "alt", "Down", "Up", "Return"}));
    ASSERT_TRUE(Focus("^Arvane Lumentor$") && Xdo({"key", "alt+y"}));
    EXPECT_TRUE(program->waitForFinished(10000));
    EXPECT_EQ(FilesIn(folder), QStringList());
    xvfb.terminate();
    xvfb.waitForFinished();
}
