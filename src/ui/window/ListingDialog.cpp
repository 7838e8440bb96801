#include "ui/window/ListingDialog.h"

#include "export/CsvPath.h"
#include "ui/window/DefaultFolder.h"

#include <QDir>

using namespace modLumentorMGW;

QString ListingDialog::Choose(QWidget *window, const QString &mapFileName)
{
    const QString pattern = DefaultFolder() + QDir::separator() + QStringLiteral("*.CSV");
    if (dialog_.FileName.isEmpty())
        dialog_.FileName = mapFileName == QLatin1String("None") ? pattern : CsvPathFor(mapFileName);
    dialog_.Filter = QStringLiteral("CSV Listings (*.CSV)|*.CSV|All Files (*.*)|*.*");
    dialog_.Flags = CommonDialog::cdlOFNFileMustExist | CommonDialog::cdlOFNPathMustExist
                    | CommonDialog::cdlOFNHideReadOnly;
    if (!dialog_.ShowOpen(window) || dialog_.FileName == pattern)
        return QString();
    return dialog_.FileName;
}
