#include "ui/recovery/RestoreCopy.h"

#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "ui/history/EditHistory.h"
#include "ui/window/ShowFileName.h"
#include "ui/window/frmLumentorMGW.h"

#include <QComboBox>
#include <QRadioButton>
#include <QtEndian>

using namespace modLumentorMGW;

void RestoreCopy(frmLumentorMGW &window, const RecoveryNote &note, const QByteArray &image)
{
    // The protocol first: picking it refills the point list and redraws.
    window.optProtocol[note.protocol & 1]->setChecked(true);
    FileName = note.file;
    ShowFileName();
    qFromLittleEndian<qint16>(image.constData(), CellCount, ConfigImage);
    // Shown as if picked; what the redraw stores is taken back, so the image
    // stays the copy even where a list cannot show a cell's value.
    window.History().BeginRedraw();
    if (window.cboPoint->currentIndex() != note.point - 1)
        window.cboPoint->setCurrentIndex(note.point - 1);
    else
        window.ShowData();
    window.History().EndRedraw();
    Dirty = true;
    window.ImageReplaced();
}
