#include "ui/dialogs/FileChooser.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>

namespace {
bool isPattern(const QString &name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// The patterns of a Qt name filter "Text (*.a *.b)".
QStringList patternsOf(const QString &nameFilter)
{
    const int open = int(nameFilter.lastIndexOf(QLatin1Char('(')));
    if (open < 0 || !nameFilter.endsWith(QLatin1Char(')')))
        return {};
    return nameFilter.mid(open + 1, nameFilter.size() - open - 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
} // namespace

FileChooser::FileChooser(QWidget *parent, CommonDialog::Mode mode, int flags)
    : QFileDialog(parent), mode_(mode), flags_(flags)
{
    const bool open = mode == CommonDialog::Mode::Open;
    setWindowTitle(open ? QStringLiteral("Open") : QStringLiteral("Save As"));
    setOption(DontUseNativeDialog);
    setOption(HideNameFilterDetails);   // entries read exactly as the filter names them
    setAcceptMode(open ? AcceptOpen : AcceptSave);
    setFileMode(open && (flags & CommonDialog::cdlOFNFileMustExist) ? ExistingFile : AnyFile);
    setOption(DontConfirmOverwrite, !(flags & CommonDialog::cdlOFNOverwritePrompt));
    // Map files are named *.MGW and *.mgw alike: patterns ignore letter case.
    setFilter(filter() & ~QDir::CaseSensitive);
}

void FileChooser::Preset(const QString &fileName, const QString &fallbackFolder)
{
    const int slash = int(fileName.lastIndexOf(QLatin1Char('/')));
    const QString folder = slash < 0 ? fallbackFolder : fileName.left(slash + 1);
    const QString name = fileName.mid(slash + 1);
    if (!folder.isEmpty())
        setDirectory(folder);
    if (isPattern(name))
        usePattern(name);
    else if (!name.isEmpty())
        selectFile(name);
}

void FileChooser::usePattern(const QString &pattern)
{
    QStringList filters = nameFilters();
    for (const QString &entry : filters) {
        if (patternsOf(entry).contains(pattern, Qt::CaseInsensitive)) {
            selectNameFilter(entry);
            return;
        }
    }
    const QString entry = pattern + QStringLiteral(" (") + pattern + QLatin1Char(')');
    filters.prepend(entry);
    setNameFilters(filters);
    selectNameFilter(entry);
}

QString FileChooser::Refusal(CommonDialog::Mode mode, int flags, const QString &path)
{
    const QFileInfo info(path);
    if (mode == CommonDialog::Mode::Open && (flags & CommonDialog::cdlOFNFileMustExist) && !info.isFile())
        return QStringLiteral("%1\nFile not found.\nCheck the file name and try again.").arg(info.fileName());
    if ((flags & CommonDialog::cdlOFNPathMustExist) && !info.absoluteDir().exists())
        return QStringLiteral("%1\nPath does not exist.\nCheck the path and try again.").arg(info.absolutePath());
    return QString();
}

void FileChooser::accept()
{
    // A typed pattern shows the folder through it, as a file list does.
    const QLineEdit *edit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (edit && isPattern(edit->text())) {
        usePattern(edit->text().trimmed());
        return;
    }
    // A typed name that is no folder is taken as typed: the list may still
    // hold every folder the completer passed on the way, which would win.
    const QString typed = edit ? edit->text().trimmed() : QString();
    if (!typed.isEmpty() && !QFileInfo(directory().absoluteFilePath(typed)).isDir()) {
        if (const QListView *list = findChild<QListView *>(QStringLiteral("listView")))
            list->selectionModel()->clearSelection();
    }
    const QString path = selectedFiles().value(0);
    if (!path.isEmpty() && !QFileInfo(path).isDir()) {
        const QString why = Refusal(mode_, flags_, path);
        if (!why.isEmpty()) {
            QMessageBox::warning(this, windowTitle(), why);
            return;
        }
    }
    QFileDialog::accept();
}
