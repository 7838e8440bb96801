#include "ui/access/Accessibility.h"

#include "ui/access/ListAccess.h"
#include "ui/access/RelayGridAccess.h"
#include "ui/widgets/RelayGrid.h"
#include "ui/window/frmLumentorMGW.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>

namespace modLumentorMGW {

namespace {
// Asked for each class of an object from the most derived up.
QAccessibleInterface *Interface(const QString &className, QObject *object)
{
    if (className == QLatin1String("RelayGrid"))
        return new RelayGridAccess(static_cast<RelayGrid *>(object));
    // The overview and the transfer record: windows of their own, not
    // "fillers" inside the main one.
    if (className == QLatin1String("TableWindow"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("QComboBox")) {
        auto *list = static_cast<QComboBox *>(object);
        if (!list->isEditable())
            return new ListAccess(list);
    }
    return nullptr;
}
} // namespace

void InstallAccessibility()
{
    static const bool installed = (QAccessible::installFactory(Interface), true);
    (void)installed;
}

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
