// Auto map: copies the selected point's mapping to a run of following
// points, counting the relay, group or preset number up by one per point.
#include "ui/window/frmLumentorMGW.h"

#include "image/PointRecord.h"
#include "link/MsgBox.h"

#include <QComboBox>

using namespace modLumentorMGW;

namespace {
const QString AutoMapError = QStringLiteral("Auto Map Error");

// The run may not pass point 750, whichever protocol is chosen.
bool runFits(int p, int k)
{
    if (p + k <= 748)
        return true;
    MsgBox(QStringLiteral("Auto Map Goes Beyond 750 Points"), vbCritical, AutoMapError);
    return false;
}

// A list left without a selection by a value out of its range would copy
// that nonsense over the whole run: nothing is written then.
bool allSelected(std::initializer_list<const QComboBox *> lists)
{
    for (const QComboBox *list : lists) {
        if (list->currentIndex() < 0)
            return false;
    }
    return true;
}
} // namespace

void frmLumentorMGW::cmdAMRly_Click()
{
    if (!allSelected({cboPoint, cboAMRly, cboType, cboSNode, cboSRelay}))
        return;
    const int p = cboPoint->currentIndex();
    const int k = cboAMRly->currentIndex();
    if (!runFits(p, k))
        return;
    if (cboSRelay->currentIndex() + k > 62) {
        MsgBox(QStringLiteral("First Relay Plus Auto Map Count Exceeds 64"), vbCritical, AutoMapError);
        return;
    }
    for (int j = 0; j <= k + 1; ++j) {
        const auto point = int16_t(p + j);
        SetPointType(point, int16_t(cboType->currentIndex()));
        SetPointNode(point, int16_t(cboSNode->currentIndex()));
        SetPointRelay(point, int16_t(cboSRelay->currentIndex() + j));
    }
}

void frmLumentorMGW::cmdAMGrp_Click()
{
    AutoMapNumber(cboAMGrp, cboLLGrp, QStringLiteral("First Group Plus Auto Map Count Exceeds 256"));
}

void frmLumentorMGW::cmdAMPrs_Click()
{
    AutoMapNumber(cboAMPrs, cboLLPrs, QStringLiteral("First Preset Plus Auto Map Count Exceeds 256"));
}

// Groups and presets: type and number on each point; node and relay stay.
void frmLumentorMGW::AutoMapNumber(QComboBox *countList, QComboBox *startList, const QString &numberMessage)
{
    if (!allSelected({cboPoint, countList, cboType, startList}))
        return;
    const int p = cboPoint->currentIndex();
    const int k = countList->currentIndex();
    if (!runFits(p, k))
        return;
    if (startList->currentIndex() + k > 254) {
        MsgBox(numberMessage, vbCritical, AutoMapError);
        return;
    }
    for (int j = 0; j <= k + 1; ++j) {
        const auto point = int16_t(p + j);
        SetPointType(point, int16_t(cboType->currentIndex()));
        SetPointNumber(point, int16_t(startList->currentIndex() + j));
    }
}
