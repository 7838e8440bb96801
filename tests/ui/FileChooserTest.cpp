// The real dialog, driven headless: each step waits for the modal widget it
// needs, acts, and hands over to the next.
#include "ui/CommonDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
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
const QString MapFilter = QStringLiteral("Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*");

// Runs its steps from a polling timer while a dialog is open; a step returns
// true once done. Gives up (closing every modal widget) after 10 s.
class Driver {
public:
    std::deque<std::function<bool()>> steps;
    bool gaveUp = false;

    Driver()
    {
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start(10);
    }

private:
    void tick()
    {
        // A box nobody expects, or a dialog that outlives its steps, is closed
        // so that a failing test ends instead of hanging.
        QWidget *top = QApplication::activeModalWidget();
        if (clock_.elapsed() > 10000 || (steps.empty() && qobject_cast<QMessageBox *>(top))) {
            gaveUp = true;
            steps.clear();
            while (QDialog *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
            return;
        }
        if (!steps.empty() && steps.front()())
            steps.pop_front();
    }
    QTimer timer_;
    QElapsedTimer clock_;
};

template <typename T>
T *topModal()
{
    QWidget *w = QApplication::activeModalWidget();
    return w && w->isVisible() ? qobject_cast<T *>(w) : nullptr;
}

QStringList listed(QFileDialog *dialog)
{
    QStringList names;
    const QListView *view = dialog->findChild<QListView *>(QStringLiteral("listView"));
    const QModelIndex root = view->rootIndex();
    for (int i = 0; i < view->model()->rowCount(root); ++i)
        names << view->model()->index(i, 0, root).data().toString();
    names.sort();
    return names;
}

// Types a name and presses the dialog's OK, after this step has returned.
bool typeAndAccept(const QString &name)
{
    QFileDialog *dialog = topModal<QFileDialog>();
    if (!dialog)
        return false;
    // As typing into the focused name box does, a new name drops the list's selection.
    dialog->findChild<QListView *>(QStringLiteral("listView"))->clearSelection();
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    return true;
}
} // namespace

TEST(FileChooserDialog, OpenAndSaveHonourPatternFlagsAndCancel)
{
    QTemporaryDir dir;
    for (const char *name : {"a.MGW", "b.mgw", "e.Mgw", "c.txt"})
        QFile(dir.filePath(QString::fromUtf8(name))).open(QIODevice::WriteOnly);
    CommonDialog cd;
    cd.Filter = MapFilter;
    cd.Flags = 6150;
    cd.FileName = QDir::toNativeSeparators(dir.path() + QStringLiteral("/*.MGW"));

    QString openedIn, refusal, proposed;
    QStringList shown;
    {
        Driver drive;
        drive.steps = {
            [&] {
                QFileDialog *dialog = topModal<QFileDialog>();
                if (!dialog)
                    return false;
                openedIn = dialog->directory().path();
                shown = listed(dialog);
                return shown.contains(QStringLiteral("e.Mgw")) && shown.size() >= 3;
            },
            [] { return typeAndAccept(QStringLiteral("missing.MGW")); },
            [&] {
                QMessageBox *box = topModal<QMessageBox>();
                if (!box)
                    return false;
                refusal = box->text();
                box->accept();
                return true;
            },
            [] { return typeAndAccept(QStringLiteral("b.mgw")); },
        };
        EXPECT_TRUE(cd.ShowOpen());
        EXPECT_FALSE(drive.gaveUp);
    }
    EXPECT_EQ(QDir(openedIn), QDir(dir.path()));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("a.MGW"), QStringLiteral("b.mgw"), QStringLiteral("e.Mgw")}));
    EXPECT_TRUE(refusal.contains(QStringLiteral("File not found"))) << refusal.toStdString();
    EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath(QStringLiteral("b.mgw"))));

    {
        // Save As proposes the last choice, confirms a replacement (No keeps
        // the dialog open) and takes a name without extension as typed.
        Driver drive;
        drive.steps = {
            [&] {
                QFileDialog *dialog = topModal<QFileDialog>();
                if (!dialog)
                    return false;
                proposed = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
                return true;
            },
            [] { return typeAndAccept(QStringLiteral("a.MGW")); },
            [] {
                QMessageBox *box = topModal<QMessageBox>();
                if (box)
                    box->button(QMessageBox::No)->click();
                return box != nullptr;
            },
            [] { return typeAndAccept(QStringLiteral("new")); },
        };
        EXPECT_TRUE(cd.ShowSave());
        EXPECT_FALSE(drive.gaveUp);
    }
    EXPECT_EQ(proposed, QStringLiteral("b.mgw"));
    EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath(QStringLiteral("new"))));

    {
        Driver drive;
        drive.steps = {[] {
            QFileDialog *dialog = topModal<QFileDialog>();
            if (dialog)
                QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            return dialog != nullptr;
        }};
        EXPECT_FALSE(cd.ShowSave());
        EXPECT_FALSE(drive.gaveUp);
    }
    EXPECT_TRUE(cd.Cancelled);
    EXPECT_EQ(cd.FileName, QDir::toNativeSeparators(dir.filePath(QStringLiteral("new"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);   // the dialog writes nothing
}
