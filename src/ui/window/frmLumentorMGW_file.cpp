// File menu: New, Open, Save, Save As.
#include "ui/window/frmLumentorMGW.h"

#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "link/MsgBox.h"
#include "ui/window/DefaultFolder.h"
#include "ui/window/ShowFileName.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>

using namespace modLumentorMGW;

namespace {
const QString MapFilter = QStringLiteral("Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*");
constexpr int MapFlags = CommonDialog::cdlOFNFileMustExist | CommonDialog::cdlOFNPathMustExist
                         | CommonDialog::cdlOFNHideReadOnly | CommonDialog::cdlOFNOverwritePrompt;
const QString FileErrorTitle = QStringLiteral("File Error");

void reportFailure(const QString &what, const QString &path, const QString &reason)
{
    MsgBox(what + path + QLatin1Char('\n') + reason, vbCritical, FileErrorTitle);
}

// Tries `transfer` on `path` as the current file. FileName and the label
// name only a file that was really read or written: on failure both go
// back to what they were before the operator is told.
bool UseFile(const QString &path, bool (*transfer)(QString *), const QString &failure)
{
    const QString previous = FileName;
    FileName = path;
    ShowFileName();
    QString reason;
    if (transfer(&reason))
        return true;
    FileName = previous;
    ShowFileName();
    reportFailure(failure, path, reason);
    return false;
}
} // namespace

void frmLumentorMGW::mnuFileNew_Click()
{
    if (!DiscardChanges())
        return;
    FileName = QStringLiteral("None");
    ShowFileName();
    ClearImage();
    cboPoint->setCurrentIndex(0);
    ShowData();
    Dirty = false; // last: the redraw's selections store into the image
    ImageReplaced();
}

// Filter and flags for both dialogs; the first dialog of the run starts on
// the default folder's pattern, which is returned: choosing it chooses nothing.
QString frmLumentorMGW::PrepareFileDialog()
{
    cdFile.Filter = MapFilter;
    const QString pattern = DefaultFilePattern();
    if (!FileDialogPrimed) {
        FileDialogPrimed = true;
        cdFile.FileName = pattern;
    }
    cdFile.Flags = MapFlags;
    return pattern;
}

bool frmLumentorMGW::FileOpen()
{
    if (!DiscardChanges())
        return false;
    cdFile.FileName.clear();
    const QString pattern = PrepareFileDialog();
    if (!cdFile.ShowOpen(this) || cdFile.FileName.isEmpty() || cdFile.FileName == pattern)
        return false;
    return UseFile(cdFile.FileName, ReadImageFile, QStringLiteral("File Not Opened: "));
}

void frmLumentorMGW::mnuFileOpen_Click()
{
    if (!FileOpen())
        return;
    cboPoint->setCurrentIndex(0);
    ShowData();
    Dirty = false;
    ImageReplaced();
}

void frmLumentorMGW::OpenAtStart(const QString &path)
{
    const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (!UseFile(name, ReadImageFile, QStringLiteral("File Not Opened: ")))
        return;
    cboPoint->setCurrentIndex(0);
    ShowData();
    Dirty = false;
    ImageReplaced();
}

// The dialog keeps the name of its last use, so it proposes the file chosen last.
bool frmLumentorMGW::FileSaveAs()
{
    const QString pattern = PrepareFileDialog();
    if (!cdFile.ShowSave(this) || cdFile.FileName.isEmpty() || cdFile.FileName == pattern)
        return false;
    return UseFile(cdFile.FileName, WriteImageFile, QStringLiteral("File Not Saved: "));
}

void frmLumentorMGW::mnuFileSaveAs_Click()
{
    if (FileSaveAs()) {
        Dirty = false;
        ImageSaved();
    }
}

void frmLumentorMGW::mnuFileSave_Click()
{
    if (FileName == QLatin1String("None")) {
        mnuFileSaveAs_Click();
        return;
    }
    QString reason;
    if (WriteImageFile(&reason)) {
        Dirty = false;
        ImageSaved();
    } else
        reportFailure(QStringLiteral("File Not Saved: "), FileName, reason);
}
