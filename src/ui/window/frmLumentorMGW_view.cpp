// The point view: brings the frames, lists, relay grid and settings into
// line with the image for the selected point. Its selection changes run the
// editing handlers, as if the operator had chosen the values shown.
#include "ui/window/frmLumentorMGW.h"

#include "image/PointRecord.h"
#include "ui/widgets/BackColor.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/ListSelection.h"
#include "ui/widgets/RelayGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

using namespace modLumentorMGW;

void frmLumentorMGW::ShowData()
{
    if (Loading)
        return;
    const int16_t p = int16_t(cboPoint->currentIndex());

    // One frame per type; a type the list does not know leaves them as they are.
    const int16_t type = GetPointType(p);
    if (type >= 0 && type <= 9) {
        frmSMap->setVisible(type == 1 || type == 2);
        frmMMap->setVisible(type == 3 || type == 4);
        frmGMap->setVisible(type == 5 || type == 6);
        frmPMap->setVisible(type == 7);
        frmIMap->setVisible(type == 8 || type == 9);
    }

    SetListIndex(cboType, GetPointType(p));
    SetListIndex(cboSNode, GetPointNode(p));
    SetListIndex(cboSRelay, GetPointRelay(p));
    SetListIndex(cboLLGrp, GetPointNumber(p));
    SetListIndex(cboLLPrs, GetPointNumber(p));
    SetListIndex(cboINode, GetPointNode(p));
    SetListIndex(cboIDev, GetPointRelay(p));
    const int16_t number = GetPointNumber(p);
    SetListIndex(cboIInp, number >= 0 ? number % 8 : -1);

    // The handlers above may have changed the type (the multi relay refusal).
    const int16_t shownType = GetPointType(cboPoint->currentIndex());
    if (shownType == 3 || shownType == 4) {
        for (int i = 0; i < RelayCount; ++i) {
            // Points from 051 have no bitmap: every relay reads as not set.
            const bool set = GetRelayBit(cboPoint->currentIndex(), int16_t(cboMNode->currentIndex()), int16_t(i));
            lblMInc[i]->setText(set ? QStringLiteral("Yes") : QStringLiteral("No"));
            SetBackColor(lblMInc[i], set ? QColor(0xFF, 0xFF, 0xFF) : QColor(0x80, 0x80, 0x80));
            relayGrid->ShowState(i, set);
        }
    }

    chkResend->setChecked(GetResendFlag() != 0);
    SetListIndex(cboTimeout, GetTimeoutCode());
}
