// Construction: the window, its controls at their design places, and the
// icon. Start-up (Form_Load) then fills and arranges them.
#include "ui/window/frmLumentorMGW.h"

#include "ui/access/Accessibility.h"
#include "ui/widgets/BackColor.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/NumberSearch.h"
#include "ui/window/InputGuard.h"
#include "ui/window/ProgramIcon.h"
#include "ui/window/ShowFileName.h"
#include "ui/window/Twips.h"
#include "ui/window/WindowFont.h"
#include "ui/window/WindowSystem.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

using namespace modLumentorMGW;

namespace {
template <class W>
W *place(W *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

template <class List = QComboBox>
List *newList(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *list = place(new List(parent), name, geometry);
    list->setEditable(false);
    list->setMaxVisibleItems(16);
    return list;
}

QLabel *newLabel(QWidget *parent, const QString &name, const QRect &geometry, Qt::Alignment align)
{
    auto *label = place(new QLabel(parent), name, geometry);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

QPushButton *newButton(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *button = place(new QPushButton(caption, parent), name, geometry);
    button->setAutoDefault(false);
    return button;
}

// Frames are opaque: a frame shown over others hides what lies beneath.
QGroupBox *newFrame(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *frame = place(new QGroupBox(caption, parent), name, geometry);
    frame->setAutoFillBackground(true);
    return frame;
}
} // namespace

frmLumentorMGW::frmLumentorMGW(QWidget *parent)
    : QMainWindow(parent)
{
    InstallAccessibility();
    setObjectName(QStringLiteral("frmLumentorMGW"));
    setWindowTitle(QStringLiteral("Arvane Lumentor Corbridge Mapped Gateway  1.6"));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    SetWindowFace(this);

    CreateMenu();
    CreateControls();
    CreateFrames();
    SetTabOrder();
    ConnectEvents();
    SetFileNameLabel(lblFileName);
    Form_Resize();
    Form_Load();
    CreateEditMenu();
    CreateRecordEntry();
    CreatePortMenu();
    FitWindowFont(this);
    InputGuard::GuardControlsOf(this);
    NumberSearch::SearchListsOf(this);
    NameControls(*this);
}

void frmLumentorMGW::CreateControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Twips(5895), Twips(6750));
    setCentralWidget(client);

    chkResend = place(new QCheckBox(QStringLiteral("Enable Command Resend When Relays Are Correct"), client),
                      QStringLiteral("chkResend"), Twips(120, 0, 4095, 375));
    cboComPort = newList<PortComboBox>(client, "cboComPort", Twips(4800, 0, 975, 315));

    optProtocolGroup = new QButtonGroup(this);
    const char *protocols[] = {"BACnet", "LonWorks"};
    for (int i = 0; i < 2; ++i) {
        optProtocol[i] = place(new QRadioButton(QString::fromLatin1(protocols[i]), client),
                               QStringLiteral("optProtocol(%1)").arg(i), Twips(120 + 1200 * i, 480, 1095, 255));
        optProtocolGroup->addButton(optProtocol[i], i);
    }
    optProtocol[0]->setChecked(true);

    cboTimeout = newList(client, "cboTimeout", Twips(3480, 480, 2295, 315));
    cboPoint = newList(client, "cboPoint", Twips(120, 960, 1815, 315));
    cboType = newList(client, "cboType", Twips(2040, 960, 3735, 315));

    frmSMap = newFrame(client, "frmSMap", QStringLiteral("Single Relay Control"), Twips(840, 2520, 4695, 855));
    frmGMap = newFrame(client, "frmGMap", QStringLiteral("Lumentor Group"), Twips(840, 3480, 4695, 855));
    frmPMap = newFrame(client, "frmPMap", QStringLiteral("Lumentor Preset"), Twips(840, 4440, 4695, 855));
    frmIMap = newFrame(client, "frmIMap", QStringLiteral("Tessaline Input"), Twips(840, 5400, 4695, 855));
    frmMMap = newFrame(client, "frmMMap", QStringLiteral("Multi Relay Control"), Twips(120, 1440, 5655, 4935));
    frmUpDown = newFrame(client, "frmUpDown", QStringLiteral("Download/Upload"), Twips(120, 5040, 5655, 1335));
    frmUpDown->hide();

    lblFileName = newLabel(client, QStringLiteral("lblFileName"), Twips(0, 6480, 5895, 255), Qt::AlignLeft);
}

void frmLumentorMGW::CreateFrames()
{
    cboSNode = newList(frmSMap, "cboSNode", Twips(120, 360, 1215, 315));
    cboSRelay = newList(frmSMap, "cboSRelay", Twips(1440, 360, 1215, 315));
    cmdAMRly = newButton(frmSMap, "cmdAMRly", QStringLiteral("Auto Map"), Twips(2760, 360, 855, 255));
    cboAMRly = newList(frmSMap, "cboAMRly", Twips(3720, 360, 735, 315));

    cboLLGrp = newList(frmGMap, "cboLLGrp", Twips(240, 360, 2295, 315));
    cmdAMGrp = newButton(frmGMap, "cmdAMGrp", QStringLiteral("Auto Map"), Twips(2760, 360, 855, 255));
    cboAMGrp = newList(frmGMap, "cboAMGrp", Twips(3720, 360, 735, 315));

    cboLLPrs = newList(frmPMap, "cboLLPrs", Twips(240, 360, 2295, 315));
    cmdAMPrs = newButton(frmPMap, "cmdAMPrs", QStringLiteral("Auto Map"), Twips(2760, 360, 855, 255));
    cboAMPrs = newList(frmPMap, "cboAMPrs", Twips(3720, 360, 735, 315));

    cboINode = newList(frmIMap, "cboINode", Twips(120, 360, 1215, 315));
    cboIDev = newList(frmIMap, "cboIDev", Twips(1440, 360, 1215, 315));
    cboIInp = newList(frmIMap, "cboIInp", Twips(2760, 360, 1215, 315));

    cboMNode = newList(frmMMap, "cboMNode", Twips(240, 360, 1095, 315));
    lblMRelay[0] = NewRelayLabel(0);
    lblMInc[0] = NewStateLabel(0);

    lblProgress = newLabel(frmUpDown, QStringLiteral("lblProgress"), Twips(600, 240, 4455, 255), Qt::AlignHCenter);
    SetBackColor(lblProgress, Qt::white);
    prgUpDown = place(new QProgressBar(frmUpDown), QStringLiteral("prgUpDown"), Twips(600, 480, 4455, 225));
    prgUpDown->setRange(0, 100);
    prgUpDown->setValue(0);
    prgUpDown->setTextVisible(false);
    cmdCancel = newButton(frmUpDown, "cmdCancel", QStringLiteral("Cancel"), Twips(2400, 720, 855, 255));
}

// Element i of the relay grid, a copy of the designed element 0: same size,
// colours, border, alignment and caption, hidden until the grid places it.
QLabel *frmLumentorMGW::NewRelayLabel(int i)
{
    QLabel *label = newLabel(frmMMap, QStringLiteral("lblMRelay(%1)").arg(i), Twips(240, 840, 735, 255),
                             Qt::AlignLeft);
    label->setText(QStringLiteral("Relay 00"));
    SetBackColor(label, QColor(0, 255, 255));
    label->setVisible(i == 0);
    return label;
}

ClickLabel *frmLumentorMGW::NewStateLabel(int i)
{
    auto *label = new ClickLabel(i, frmMMap);
    label->setObjectName(QStringLiteral("lblMInc(%1)").arg(i));
    label->setGeometry(Twips(960, 840, 375, 255));
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAlignment(Qt::AlignCenter);
    label->setText(QStringLiteral("Yes"));
    SetBackColor(label, QColor(128, 128, 128));
    label->setVisible(i == 0);
    connect(label, &ClickLabel::clicked, this,
            [this](int index) { RunEditEvent(QStringLiteral("Relay Grid"), [&] { lblMInc_Click(index); }); });
    return label;
}

// The outer size is fixed: the client area below the menu bar is 5895 x 6750
// twips (HoldFixedSize: also where the window system forces a state).
void frmLumentorMGW::Form_Resize()
{
    HoldFixedSize(this);
}
