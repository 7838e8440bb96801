// File > Import Listing: a listing, as a spreadsheet left it, replaces the
// records of the points it lists. All or nothing, and one step of the history.
#include "ui/window/frmLumentorMGW.h"

#include "export/ListingImport.h"
#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "link/MsgBox.h"
#include "ui/history/EditHistory.h"
#include "ui/window/ListingDialog.h"

#include <QRadioButton>

using namespace modLumentorMGW;

void frmLumentorMGW::mnuFileImport_Click()
{
    if (TransferRunning)
        return;
    auto *dialog = findChild<ListingDialog *>(QString(), Qt::FindDirectChildrenOnly);
    if (!dialog)
        dialog = new ListingDialog(this);
    const QString path = dialog->Choose(this, FileName);
    if (path.isEmpty())
        return;
    const QString title = QStringLiteral("Import Listing");
    const QString refused = QStringLiteral("Listing Not Imported: ") + path + QLatin1Char('\n');
    QByteArray text;
    QString reason;
    if (!ReadListingFile(path, &text, &reason)) {
        MsgBox(refused + reason, vbCritical, title);
        return;
    }
    // The points the protocol offers, as the export lists them.
    const ListingImport listing(text, optProtocol[0]->isChecked() ? 750 : 350);
    if (!listing.Good()) {
        MsgBox(refused + QLatin1Char('\n') + listing.BadLines().join(QLatin1Char('\n')), vbCritical, title);
        return;
    }
    const bool wasDirty = Dirty;
    RunEditEvent(QStringLiteral("Import"), [&] {
        listing.Apply();
        ShowData();
    });
    // A listing that changed no cell leaves the image as clean as it was.
    Dirty = wasDirty || !History().Stack().isClean();
}
