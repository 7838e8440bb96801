// The real dialogs behind the window's seams, driven headless: each step
// waits for the modal widget it needs, acts, and hands over to the next.
#include "ui/CommonDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>
#include <functional>

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
