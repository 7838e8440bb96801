// Start-up: fills every list, builds the relay grid, stacks the mapping
// frames and shows point 001 of an all-zero image.
#include "ui/window/frmLumentorMGW.h"

#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "image/RecoveryFolder.h"
#include "link/Hex.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/RelayGrid.h"
#include "ui/window/DefaultFolder.h"
#include "ui/window/InstanceSlot.h"
#include "ui/widgets/ListSelection.h"
#include "ui/recovery/RecoveryCopy.h"
#include "ui/window/ShowFileName.h"
#include "ui/window/Twips.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>

using namespace modLumentorMGW;

namespace {
// Entries "<prefix><n>" for n = first .. last, n written by `number`.
template <class Format>
QStringList numbered(int first, int last, Format number)
{
    QStringList entries;
    entries.reserve(last - first + 1);
    for (int n = first; n <= last; ++n)
        entries << number(n);
    return entries;
}

QString decimal(int n, int digits) { return QStringLiteral("%1").arg(n, digits, 10, QLatin1Char('0')); }

QStringList nodeEntries()
{
    return numbered(1, 254, [](int n) { return QStringLiteral("Node: ") + Hex2(int16_t(n)); });
}

QStringList pointEntries(int count)
{
    return numbered(1, count, [](int n) { return QStringLiteral("Point: ") + decimal(n, 3); });
}

void fillAndSelectFirst(QComboBox *list, const QStringList &entries)
{
    FillList(list, entries);
    list->setCurrentIndex(0);
}
} // namespace

void frmLumentorMGW::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
    move(pos() + InstanceSlot::Take(this));   // a second window beside the first, not on it
    MakeDefaultFolder();
    FileName = QStringLiteral("None");
    ShowFileName();

    Loading = true;
    FillPortList();
    Point750();
    fillAndSelectFirst(cboType, {QStringLiteral("Unused"), QStringLiteral("Single Relay On/Off"),
                                 QStringLiteral("Single Relay On/Timer Off"),
                                 QStringLiteral("Multi Relay On/Off (Points 001-050 Only)"),
                                 QStringLiteral("Multi Relay On/Timer Off (Points 001-050 Only)"),
                                 QStringLiteral("Lumentor Group On/Off"), QStringLiteral("Lumentor Group On/Timer Off"),
                                 QStringLiteral("Lumentor Preset"), QStringLiteral("Tessaline On Input - Maintained"),
                                 QStringLiteral("Tessaline Off Input - Maintained")});
    fillAndSelectFirst(cboSNode, nodeEntries());
    fillAndSelectFirst(cboSRelay, numbered(1, 64, [](int n) { return QStringLiteral("Relay: ") + decimal(n, 2); }));
    fillAndSelectFirst(cboLLGrp,
                       numbered(1, 256, [](int n) { return QStringLiteral("Lumentor Group: ") + decimal(n, 3); }));
    fillAndSelectFirst(cboLLPrs,
                       numbered(1, 256, [](int n) { return QStringLiteral("Lumentor Preset: ") + decimal(n, 3); }));
    fillAndSelectFirst(cboINode, nodeEntries());
    fillAndSelectFirst(cboIDev, numbered(1, 64, [](int n) { return QStringLiteral("Device: ") + Hex2(int16_t(n)); }));
    fillAndSelectFirst(cboIInp, numbered(1, 8, [](int n) { return QStringLiteral("Input: %1").arg(n); }));
    fillAndSelectFirst(cboMNode, nodeEntries());

    BuildRelayGrid();

    const QStringList counts = numbered(2, 256, [](int n) { return QString::number(n); });
    fillAndSelectFirst(cboAMRly, counts.mid(0, 63));
    FillList(cboAMGrp, counts);
    FillList(cboAMPrs, counts);
    cboAMGrp->setCurrentIndex(0);
    cboAMPrs->setCurrentIndex(0);
    fillAndSelectFirst(cboTimeout, {QStringLiteral("Timeout: Normal"), QStringLiteral("Timeout: Extended 1"),
                                    QStringLiteral("Timeout: Extended 2")});

    // Stack the mapping frames on the multi relay frame's corner.
    for (QGroupBox *frame : {frmSMap, frmGMap, frmPMap, frmIMap})
        frame->move(frmMMap->pos());
    frmUpDown->setGeometry(Twips(120, 960, 5655, 4935));
    Loading = false;

    // The selections above stored into the image: start from an empty one.
    ClearImage();
    ShowData();
    Dirty = false;
    Recovery = new RecoveryCopy(this, RecoveryFolder());   // from here on, unsaved changes survive a crash
}

// The folder is made one level deep when missing; if that fails the window
// starts all the same and the file dialogs fall back on their own choice.
void frmLumentorMGW::MakeDefaultFolder()
{
    const QString folder = DefaultFolder();
    if (!QDir(folder).exists())
        QDir().mkdir(folder);
}

void frmLumentorMGW::Point750()
{
    fillAndSelectFirst(cboPoint, pointEntries(750));
}

void frmLumentorMGW::Point350()
{
    fillAndSelectFirst(cboPoint, pointEntries(350));
}

// 64 pairs of labels in four columns of sixteen; rows overlap by one pixel.
void frmLumentorMGW::BuildRelayGrid()
{
    for (int i = 0; i < RelayCount; ++i) {
        if (i != 0) {
            lblMRelay[i] = NewRelayLabel(i);
            lblMInc[i] = NewStateLabel(i);
        }
        const int column = i / 16;
        const int row = i % 16;
        lblMRelay[i]->move(Twips(240 + 1380 * column), Twips(840 + 240 * row));
        lblMInc[i]->move(Twips(960 + 1380 * column), Twips(840 + 240 * row));
        lblMRelay[i]->setText(QStringLiteral("Relay ") + decimal(i + 1, 2));
        lblMRelay[i]->show();
        lblMInc[i]->show();
    }
    relayGrid = new RelayGrid(lblMInc, cboMNode, frmMMap);
    setTabOrder(cboMNode, relayGrid);
}
