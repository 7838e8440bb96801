// The port list: COM1 to COM8, then the ports the system reports and any
// named with --port; brought up to date each time it opens, and the choice
// remembered between runs.
#include "ui/window/frmLumentorMGW.h"

#include "link/PortList.h"
#include "ui/widgets/ListSelection.h"
#include "ui/window/ProgramSettings.h"

#include <QFileInfo>

using namespace modLumentorMGW;

namespace {
// The port chosen last, by its name; empty when none was chosen yet.
const QString PortKey = QStringLiteral("port");

QString RememberedPort()
{
    return ProgramSettings().value(PortKey).toString();
}

void RememberPort(const QString &name)
{
    ProgramSettings().setValue(PortKey, name);
}

QStringList entryTexts()
{
    QStringList texts;
    for (const PortEntry &entry : PortEntries())
        texts << entry.text;
    return texts;
}

QString entryName(int index)
{
    const std::vector<PortEntry> &entries = PortEntries();
    return index >= 0 && size_t(index) < entries.size() ? entries[size_t(index)].name : QString();
}
} // namespace

// Start-up: the port chosen last when it is still there, else COM1. A
// remembered path the system does not list (a by-id link, a simulator) is
// there while its node is.
void frmLumentorMGW::FillPortList()
{
    RefreshPorts();
    const QString remembered = RememberedPort();
    int16_t port = ListedPortNumber(remembered);
    if (!port && !remembered.isEmpty() && remembered.contains(QLatin1Char('/')) && QFileInfo::exists(remembered))
        port = PortNumberFor(remembered);
    FillList(cboComPort, entryTexts());
    cboComPort->setCurrentIndex(port ? port - 1 : 0);
}

void frmLumentorMGW::cboComPort_DropDown()
{
    const QString current = entryName(cboComPort->currentIndex());
    RefreshPorts();
    const int16_t port = ListedPortNumber(current);
    FillList(cboComPort, entryTexts());
    cboComPort->setCurrentIndex(port ? port - 1 : 0);
}

void frmLumentorMGW::cboComPort_Click()
{
    RememberPort(entryName(cboComPort->currentIndex()));
}

void frmLumentorMGW::ChoosePort(const QString &name)
{
    const int16_t port = PortNumberFor(name);
    if (!port)
        return;
    if (cboComPort->count() != int(PortEntries().size()))
        FillList(cboComPort, entryTexts());
    cboComPort->setCurrentIndex(port - 1);
    RememberPort(entryName(port - 1));
}

QString frmLumentorMGW::ChosenPortName() const
{
    return entryName(cboComPort->currentIndex());
}
