// Point editing: each list, the check box and the relay grid store their
// value at once. A list showing no selection (a value out of its range)
// stores nothing.
#include "ui/window/frmLumentorMGW.h"

#include "image/PointRecord.h"
#include "link/MsgBox.h"

#include <QCheckBox>
#include <QComboBox>

using namespace modLumentorMGW;

namespace {
int16_t indexOf(const QComboBox *list) { return int16_t(list->currentIndex()); }
} // namespace

void frmLumentorMGW::cboPoint_Click() { ShowData(); }

// A viewing choice only: no cell changes.
void frmLumentorMGW::cboMNode_Click() { ShowData(); }

void frmLumentorMGW::cboType_Click()
{
    const int16_t t = indexOf(cboType);
    const int16_t p = indexOf(cboPoint);
    if (t < 0 || p < 0)
        return;
    if ((t == 3 || t == 4) && p >= MultiRelayPoints) {
        MsgBox(QStringLiteral("Multi Relay Mapping Is Only Allowed On Points 001 - 0050"), vbCritical,
               QStringLiteral("Out Of Range"));
        cboType->setCurrentIndex(0); // runs this handler again, which stores "Unused"
        ShowData();
        return;
    }
    SetPointType(p, t);
    ShowData();
}

void frmLumentorMGW::cboSNode_Click()
{
    if (indexOf(cboSNode) >= 0)
        SetPointNode(indexOf(cboPoint), indexOf(cboSNode));
}

void frmLumentorMGW::cboSRelay_Click()
{
    if (indexOf(cboSRelay) >= 0)
        SetPointRelay(indexOf(cboPoint), indexOf(cboSRelay));
}

void frmLumentorMGW::cboLLGrp_Click()
{
    if (indexOf(cboLLGrp) >= 0)
        SetPointNumber(indexOf(cboPoint), indexOf(cboLLGrp));
}

void frmLumentorMGW::cboLLPrs_Click()
{
    if (indexOf(cboLLPrs) >= 0)
        SetPointNumber(indexOf(cboPoint), indexOf(cboLLPrs));
}

void frmLumentorMGW::cboINode_Click()
{
    if (indexOf(cboINode) >= 0)
        SetPointNode(indexOf(cboPoint), indexOf(cboINode));
}

void frmLumentorMGW::cboIDev_Click()
{
    if (indexOf(cboIDev) >= 0)
        SetPointRelay(indexOf(cboPoint), indexOf(cboIDev));
}

// Only input points own cell 3 as an input: a group or preset point shown
// here (modulo 8) keeps its number.
void frmLumentorMGW::cboIInp_Click()
{
    const int16_t p = indexOf(cboPoint);
    const int16_t type = GetPointType(p);
    if ((type == 8 || type == 9) && indexOf(cboIInp) >= 0)
        SetPointNumber(p, indexOf(cboIInp));
}

// Unchecked stores 0, every other state 1. A flag from a file that is
// neither becomes 1 only when showing it checks a box that was unchecked:
// the event fires on a change, so with the box already checked it stays.
void frmLumentorMGW::chkResend_Click()
{
    SetResendFlag(chkResend->checkState() == Qt::Unchecked ? 0 : 1);
}

void frmLumentorMGW::cboTimeout_Click()
{
    if (indexOf(cboTimeout) >= 0)
        SetTimeoutCode(indexOf(cboTimeout));
}

// Toggles relay Index of the chosen node. Points from 051 own no bitmap
// (an image from a file may still give them a multi relay type): ignored.
void frmLumentorMGW::lblMInc_Click(int Index)
{
    const int16_t p = indexOf(cboPoint);
    const int16_t n = indexOf(cboMNode);
    if (p < 0 || p >= MultiRelayPoints || n < 0)
        return;
    SetRelayBit(p, n, int16_t(Index), !GetRelayBit(p, n, int16_t(Index)));
    ShowData();
}
