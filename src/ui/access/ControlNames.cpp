#include "ui/access/Accessibility.h"

#include "ui/widgets/RelayGrid.h"
#include "ui/window/frmLumentorMGW.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>

namespace modLumentorMGW {

// Buttons, check boxes and option buttons are named by their captions.
void NameControls(frmLumentorMGW &w)
{
    const std::pair<QWidget *, const char *> names[] = {
        {w.cboComPort, "Serial port"}, {w.cboPoint, "Point"},   {w.cboType, "Point type"},
        {w.cboTimeout, "Timeout"},     {w.cboSNode, "Node"},    {w.cboINode, "Node"},
        {w.cboMNode, "Node"},          {w.cboSRelay, "Relay"},  {w.cboIDev, "Device"},
        {w.cboIInp, "Input"},          {w.cboLLGrp, "Group"},   {w.cboLLPrs, "Preset"},
        {w.cboAMRly, "Auto map count"}, {w.cboAMGrp, "Auto map count"}, {w.cboAMPrs, "Auto map count"},
        {w.lblFileName, "Map file"},   {w.prgUpDown, "Transfer progress"}, {w.relayGrid, "Relays"},
    };
    for (const auto &[control, name] : names)
        control->setAccessibleName(QString::fromLatin1(name));
}

} // namespace modLumentorMGW
