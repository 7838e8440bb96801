// The real dialog, driven headless: each step waits for the modal widget it
// needs, acts, and hands over to the next.
#include "ui/CommonDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>
#include <functional>

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
bool Show(CommonDialog &cd, CommonDialog::Mode mode, std::deque<Step> steps)
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
    return mode == CommonDialog::Mode::Open ? cd.ShowOpen() : cd.ShowSave();
}

// Does `act` to the file dialog once it is open.
Step OnDialog(std::function<void(QFileDialog *)> act)
{
    return [act] {
        QFileDialog *dialog = topModal<QFileDialog>();
        if (dialog)
            act(dialog);
        return dialog != nullptr;
    };
}

// Types a name and presses the dialog's OK, after this step has returned.
Step TypeAndAccept(const QString &name)
{
    return OnDialog([name](QFileDialog *dialog) {
        // As typing into the focused name box does, a new name drops the list's selection.
        dialog->findChild<QListView *>("listView")->clearSelection();
        dialog->findChild<QLineEdit *>("fileNameEdit")->setText(name);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
}

// Reads the message box on top and presses `button` on it.
Step PressOnBox(QMessageBox::StandardButton button, QString *text)
{
    return [=] {
        QMessageBox *box = topModal<QMessageBox>();
        if (box) {
            *text = box->text();
            box->button(button)->click();
        }
        return box != nullptr;
    };
}
} // namespace

TEST(FileChooserDialog, OpenAndSaveHonourPatternFlagsAndCancel)
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
    const Step look = [&] {
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
    EXPECT_TRUE(Show(cd, CommonDialog::Mode::Open,
                     {look, TypeAndAccept("missing.MGW"), PressOnBox(QMessageBox::Ok, &refusal),
                      TypeAndAccept("b.mgw")}));
    EXPECT_EQ(QDir(openedIn), QDir(dir.path()));
    EXPECT_EQ(shown, (QStringList{"a.MGW", "b.mgw", "e.Mgw"}));
    EXPECT_TRUE(refusal.contains("File not found")) << refusal.toStdString();
    EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath("b.mgw")));

    // Save As proposes the last choice, confirms a replacement (No keeps the
    // dialog open) and takes a name without extension as typed.
    const Step readName = OnDialog([&](QFileDialog *d) { proposed = d->findChild<QLineEdit *>("fileNameEdit")->text(); });
    EXPECT_TRUE(Show(cd, CommonDialog::Mode::Save,
                     {readName, TypeAndAccept("a.MGW"), PressOnBox(QMessageBox::No, &question), TypeAndAccept("new")}));
    EXPECT_EQ(proposed, "b.mgw");
    EXPECT_TRUE(question.contains("a.MGW")) << question.toStdString();
    EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath("new")));

    const Step cancel = OnDialog([](QFileDialog *d) { QMetaObject::invokeMethod(d, "reject", Qt::QueuedConnection); });
    EXPECT_FALSE(Show(cd, CommonDialog::Mode::Save, {cancel}));
    EXPECT_TRUE(cd.Cancelled);
    EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath("new")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4); // the dialog writes nothing
}
