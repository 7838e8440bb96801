// The real file dialog behind the window's seam, driven headless from a
// polling timer while it is open.
#include "ui/dialogs/CommonDialog.h"

#include <QtWidgets>
#include <gtest/gtest.h>

using Mode = CommonDialog::Mode;

namespace {
// Keys as the operator types them, to whatever has the keyboard: the name
// box, or the completer's list while it shows.
void SendKey(QWidget *edit, int key, const QString &text)
{
    QWidget *to = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : edit;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
    QApplication::sendEvent(to, &release);
}

// Shows the dialog, types `typed` over its name box key by key and presses
// Return; every box on top is answered Yes and its text kept in *said. After
// 1000 ticks (10 s or more) every modal widget is closed, so that a failing
// test ends instead of hanging.
bool Show(CommonDialog &cd, Mode mode, const QString &typed, QStringList *said)
{
    int ticks = 0;
    bool done = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (++ticks > 1000) {
            ADD_FAILURE() << "dialog driver gave up";
            while (QDialog *open = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                open->reject();
        } else if (box && box->isVisible()) {
            *said << box->text();
            if (QAbstractButton *yes = box->button(QMessageBox::Yes))
                yes->click();
        } else if (dialog && dialog->isVisible() && !done) {
            done = true;
            QLineEdit *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
            edit->setFocus();
            edit->selectAll();
            for (QChar c : typed) {
                SendKey(edit, c.toUpper().unicode(), QString(c));
                QApplication::processEvents();
            }
            QTimer::singleShot(0, edit, [edit] { SendKey(edit, Qt::Key_Return, "\r"); });
        }
    });
    timer.start(10);
    return mode == Mode::Open ? cd.ShowOpen() : cd.ShowSave();
}
} // namespace

// Typed key by key, as a whole path or a name in the folder shown, the
// completer passes the folder "c" on the way to "c.MGW" or a new "cnew".
TEST(FileDialog, ATypedPathNamingAFileIsTakenAsTyped)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("c"));
    QFile(dir.filePath("c.MGW")).open(QIODevice::WriteOnly);
    const struct { Mode mode; const char *name; bool whole; int questions; } cases[] = {
        {Mode::Open, "c.MGW", true, 0}, {Mode::Save, "c.MGW", true, 1}, {Mode::Save, "cnew", true, 0},
        {Mode::Open, "c.MGW", false, 0}, {Mode::Save, "cnew", false, 0}};
    for (const auto &c : cases) {
        CommonDialog cd;
        cd.Filter = "Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*";
        cd.Flags = 6150;
        cd.FileName = dir.path() + "/*.MGW";
        QStringList said;
        EXPECT_TRUE(Show(cd, c.mode, c.whole ? dir.filePath(c.name) : c.name, &said)) << c.name << c.whole;
        EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath(c.name))) << c.name << c.whole;
        EXPECT_EQ(said.size(), c.questions) << c.name; // Save asks before replacing
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"c.MGW"});   // the dialog writes nothing
}
