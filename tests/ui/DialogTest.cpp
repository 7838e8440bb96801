// The real dialogs behind the window's seams, driven headless: each step
// waits for the modal widget it needs, acts, and hands over to the next.
#include "link/MsgBox.h"
#include "ui/CommonDialog.h"
#include "ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>
#include <functional>

using namespace modLumentorMGW;
using Mode = CommonDialog::Mode;

namespace {
using Step = std::function<bool()>;

template <typename T>
T *topModal()
{
    QWidget *w = QApplication::activeModalWidget();
    return w && w->isVisible() ? qobject_cast<T *>(w) : nullptr;
}

// Shows the dialog and runs the steps from a polling timer while it is open;
// a step returns true once done. A box nobody expects, a dialog that outlives
// its steps or 10 s gone close every modal widget, so that a failing test
// ends instead of hanging.
bool Show(CommonDialog &cd, Mode mode, std::deque<Step> steps)
{
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (clock.elapsed() > 10000 || (steps.empty() && topModal<QMessageBox>())) {
            ADD_FAILURE() << "dialog driver gave up";
            steps.clear();
            while (QDialog *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        } else if (!steps.empty() && steps.front()()) {
            steps.pop_front();
        }
    });
    timer.start(10);
    return mode == Mode::Open ? cd.ShowOpen() : cd.ShowSave();
}

// Does `act` to the modal widget of type T once it is on top.
template <typename T>
Step On(std::function<void(T *)> act)
{
    return [act] {
        T *widget = topModal<T>();
        if (widget)
            act(widget);
        return widget != nullptr;
    };
}

// Keys as the operator types them, to whatever has the keyboard: the name
// box, or the completer's list while it shows. Return is pressed after this
// step has returned.
void SendKey(QWidget *edit, int key, const QString &text)
{
    QWidget *to = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : edit;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
    QApplication::sendEvent(to, &release);
}

Step TypeAndReturn(const QString &text)
{
    return On<QFileDialog>([text](QFileDialog *dialog) {
        QLineEdit *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
        edit->setFocus();
        edit->selectAll(); // typed over what the box holds
        for (QChar c : text) {
            SendKey(edit, c.toUpper().unicode(), QString(c));
            QApplication::processEvents();
        }
        QTimer::singleShot(0, edit, [edit] { SendKey(edit, Qt::Key_Return, "\r"); });
    });
}

// Reads the message box on top into *text and presses `button` on it.
Step PressOnBox(QMessageBox::StandardButton button, QString *text)
{
    return On<QMessageBox>([=](QMessageBox *box) {
        *text = box->text();
        box->button(button)->click();
    });
}
} // namespace

TEST(FileDialog, OpenAndSaveHonourPatternFlagsAndCancel)
{
    QTemporaryDir dir;
    for (const char *name : {"a.MGW", "b.mgw", "e.Mgw", "c.txt"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    CommonDialog cd;
    cd.Filter = "Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*";
    cd.Flags = 6150;
    cd.FileName = QDir::toNativeSeparators(dir.path() + "/*.MGW");

    QString openedIn, refusal, proposed, question;
    QStringList shown;
    const Step look = [&] { // done once the folder's names are listed
        QFileDialog *dialog = topModal<QFileDialog>();
        if (!dialog)
            return false;
        openedIn = dialog->directory().path();
        const QListView *view = dialog->findChild<QListView *>("listView");
        shown.clear();
        for (int i = 0; i < view->model()->rowCount(view->rootIndex()); ++i)
            shown << view->model()->index(i, 0, view->rootIndex()).data().toString();
        shown.sort();
        return shown.contains("e.Mgw") && shown.size() >= 3;
    };
    EXPECT_TRUE(Show(cd, Mode::Open,
                     {look, TypeAndReturn("missing.MGW"), PressOnBox(QMessageBox::Ok, &refusal), TypeAndReturn("b.mgw")}));
    EXPECT_EQ(QDir(openedIn), QDir(dir.path()));
    EXPECT_EQ(shown, (QStringList{"a.MGW", "b.mgw", "e.Mgw"}));
    EXPECT_TRUE(refusal.contains("File not found")) << refusal.toStdString();
    EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath("b.mgw")));

    // Save As proposes the last choice, confirms a replacement (No keeps the
    // dialog open) and takes a name without extension as typed.
    const Step readName = On<QFileDialog>([&](QFileDialog *d) { proposed = d->findChild<QLineEdit *>("fileNameEdit")->text(); });
    EXPECT_TRUE(Show(cd, Mode::Save,
                     {readName, TypeAndReturn("a.MGW"), PressOnBox(QMessageBox::No, &question), TypeAndReturn("new")}));
    EXPECT_EQ(proposed, "b.mgw");
    EXPECT_TRUE(question.contains("a.MGW")) << question.toStdString();
    EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath("new")));

    const Step cancel = On<QFileDialog>([](QFileDialog *d) { QMetaObject::invokeMethod(d, "reject", Qt::QueuedConnection); });
    EXPECT_FALSE(Show(cd, Mode::Save, {cancel}));
    EXPECT_TRUE(cd.Cancelled);
    EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath("new")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4); // the dialog writes nothing
}

// Typed key by key, the completer passes the folder "c" on the way to "c.MGW".
TEST(FileDialog, ATypedPathNamingAFileIsTakenAsTyped)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("c"));
    QFile(dir.filePath("c.MGW")).open(QIODevice::WriteOnly);
    const struct { Mode mode; const char *name; bool replaces; } cases[] = {
        {Mode::Open, "c.MGW", false}, {Mode::Save, "c.MGW", true}, {Mode::Save, "cnew", false}};
    for (const auto &c : cases) {
        CommonDialog cd;
        cd.Filter = "Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*";
        cd.Flags = 6150;
        cd.FileName = dir.path() + "/*.MGW";
        QString question;
        std::deque<Step> steps{TypeAndReturn(dir.filePath(c.name))};
        if (c.replaces)
            steps.push_back(PressOnBox(QMessageBox::Yes, &question));
        EXPECT_TRUE(Show(cd, c.mode, steps)) << c.name;
        EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath(c.name))) << c.name;
    }
}

TEST(MessageBox, StylesGiveTheirButtonsIconsAndAnswers)
{
    const MsgBoxHandler previous = SetMsgBoxHandler(ShowMessageBox);
    using B = QMessageBox;
    const struct { int style; B::Icon icon; B::StandardButton press; int answer; } cases[] = {
        {0, B::NoIcon, B::Ok, 1}, {16, B::Critical, B::Ok, 1}, {48, B::Warning, B::Ok, 1},
        {64, B::Information, B::Ok, 1}, {36, B::Question, B::Yes, 6}, {36, B::Question, B::No, 7}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.style);
        const bool question = c.style == 36;
        QString seen;
        std::function<void()> look = [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return QTimer::singleShot(0, look);
            seen = box->windowTitle() + '|' + box->text();
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->standardButtons(), question ? (B::Yes | B::No) : B::StandardButtons(B::Ok));
            box->button(c.press)->click();
        };
        QTimer::singleShot(0, look);
        EXPECT_EQ(MsgBox("Upload Complete", c.style, question ? "Arvane Lumentor" : ""), c.answer);
        EXPECT_EQ(seen, (question ? "Arvane Lumentor" : "LumentorMGW") + QString("|Upload Complete"));
    }
    SetMsgBoxHandler(previous);
}
