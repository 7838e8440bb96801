// The CSV listing of the mapping, beside the current map file.
#include "ui/window/frmLumentorMGW.h"

#include "export/CsvFile.h"
#include "image/MapFile.h"
#include "link/MsgBox.h"

#include <QRadioButton>

using namespace modLumentorMGW;

void frmLumentorMGW::mnuExport_Click()
{
    ExportCSV();
}

// Lists the image in memory, unsaved changes included, under the current
// file's name; the image, FileName and Dirty stay as they are.
void frmLumentorMGW::ExportCSV()
{
    const QString title = QStringLiteral("Export CSV");
    if (FileName == QLatin1String("None")) {
        MsgBox(QStringLiteral("File Must Be Saved Prior To Exporting"), vbInformation, title);
        return;
    }
    const int pointCount = optProtocol[0]->isChecked() ? 750 : 350;
    QString csvPath;
    QString reason;
    if (ExportCsvFile(FileName, pointCount, &csvPath, &reason))
        MsgBox(QStringLiteral("Settings Exported To: ") + csvPath);
    else
        MsgBox(QStringLiteral("Settings Not Exported To: ") + csvPath + QLatin1Char('\n') + reason, vbCritical,
               title);
}
