// The menu bar, the tab order, and which handler each control's event runs.
#include "ui/window/frmLumentorMGW.h"

#include "ui/widgets/ClickLabel.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {
QAction *newEntry(QObject *owner, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}
} // namespace

void frmLumentorMGW::CreateMenu()
{
    QMenuBar *bar = menuBar();
    mnuFile = bar->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew = newEntry(this, "mnuFileNew", QStringLiteral("New"));
    mnuFileOpen = newEntry(this, "mnuFileOpen", QStringLiteral("Open"));
    mnuFileSave = newEntry(this, "mnuFileSave", QStringLiteral("Save"));
    mnuFileSaveAs = newEntry(this, "mnuFileSaveAs", QStringLiteral("Save As"));
    mnuFileImport = newEntry(this, "mnuFileImport", QStringLiteral("Import Listing..."));
    mnuDiv0 = newEntry(this, "mnuDiv0", QString());
    mnuDiv0->setSeparator(true);
    mnuExit = newEntry(this, "mnuExit", QStringLiteral("Exit"));
    mnuFile->addActions({mnuFileNew, mnuFileOpen, mnuFileSave, mnuFileSaveAs, mnuFileImport, mnuDiv0, mnuExit});

    // Commands on the menu bar itself.
    mnuDownload = newEntry(this, "mnuDownload", QStringLiteral("Download"));
    mnuUpload = newEntry(this, "mnuUpload", QStringLiteral("Upload"));
    mnuExport = newEntry(this, "mnuExport", QStringLiteral("Export"));
    bar->addActions({mnuDownload, mnuUpload, mnuExport});
}

void frmLumentorMGW::SetTabOrder()
{
    // Every control by its tab index; those that take no focus are passed over.
    const QWidget *order[] = {
        chkResend, cboPoint, frmSMap, cboSNode, cboSRelay, frmMMap, cboMNode, lblMRelay[0], lblMInc[0],
        cboType, frmUpDown, prgUpDown, cmdCancel, lblProgress, frmGMap, cboLLGrp, frmPMap, cboLLPrs,
        cboComPort, cmdAMRly, cmdAMGrp, cmdAMPrs, cboAMRly, cboAMGrp, cboAMPrs, optProtocol[0],
        optProtocol[1], lblFileName, frmIMap, cboIDev, cboINode, cboIInp, cboTimeout};
    QWidget *previous = nullptr;
    for (const QWidget *control : order) {
        if (!(control->focusPolicy() & Qt::TabFocus))
            continue;
        auto *next = const_cast<QWidget *>(control);
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

void frmLumentorMGW::ConnectEvents()
{
    // Each editing event is one step of the history, named as Undo shows it.
    const auto onChange = [this](QComboBox *list, void (frmLumentorMGW::*handler)(), const char *step) {
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, handler, step] { RunEditEvent(QString::fromLatin1(step), [&] { (this->*handler)(); }); });
    };
    onChange(cboPoint, &frmLumentorMGW::cboPoint_Click, "Point Choice");
    onChange(cboMNode, &frmLumentorMGW::cboMNode_Click, "Edit");   // a viewing choice: rarely a step
    onChange(cboType, &frmLumentorMGW::cboType_Click, "Point Type");
    onChange(cboSNode, &frmLumentorMGW::cboSNode_Click, "Node");
    onChange(cboSRelay, &frmLumentorMGW::cboSRelay_Click, "Relay");
    onChange(cboLLGrp, &frmLumentorMGW::cboLLGrp_Click, "Group");
    onChange(cboLLPrs, &frmLumentorMGW::cboLLPrs_Click, "Preset");
    onChange(cboINode, &frmLumentorMGW::cboINode_Click, "Node");
    onChange(cboIDev, &frmLumentorMGW::cboIDev_Click, "Device");
    onChange(cboIInp, &frmLumentorMGW::cboIInp_Click, "Input");
    onChange(cboTimeout, &frmLumentorMGW::cboTimeout_Click, "Timeout");
    // The port list is read at each transfer; opening it refreshes it, and
    // the operator's pick is remembered.
    connect(cboComPort, &PortComboBox::DropDown, this, &frmLumentorMGW::cboComPort_DropDown);
    connect(cboComPort, &QComboBox::activated, this, &frmLumentorMGW::cboComPort_Click);
    connect(chkResend, &QCheckBox::stateChanged, this,
            [this] { RunEditEvent(QStringLiteral("Command Resend"), [this] { chkResend_Click(); }); });

    // An option button's event is its becoming selected.
    connect(optProtocolGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            RunEditEvent(QStringLiteral("Protocol Choice"), [&] { optProtocol_Click(id); });
    });

    const auto onAutoMap = [this](QPushButton *button, void (frmLumentorMGW::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { RunEditEvent(QStringLiteral("Auto Map"), [&] { (this->*handler)(); }); });
    };
    onAutoMap(cmdAMRly, &frmLumentorMGW::cmdAMRly_Click);
    onAutoMap(cmdAMGrp, &frmLumentorMGW::cmdAMGrp_Click);
    onAutoMap(cmdAMPrs, &frmLumentorMGW::cmdAMPrs_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLumentorMGW::cmdCancel_Click);

    connect(mnuFileNew, &QAction::triggered, this, &frmLumentorMGW::mnuFileNew_Click);
    connect(mnuFileOpen, &QAction::triggered, this, &frmLumentorMGW::mnuFileOpen_Click);
    connect(mnuFileSave, &QAction::triggered, this, &frmLumentorMGW::mnuFileSave_Click);
    connect(mnuFileSaveAs, &QAction::triggered, this, &frmLumentorMGW::mnuFileSaveAs_Click);
    connect(mnuFileImport, &QAction::triggered, this, &frmLumentorMGW::mnuFileImport_Click);
    connect(mnuExit, &QAction::triggered, this, &frmLumentorMGW::mnuExit_Click);
    connect(mnuDownload, &QAction::triggered, this, &frmLumentorMGW::mnuDownload_Click);
    connect(mnuUpload, &QAction::triggered, this, &frmLumentorMGW::mnuUpload_Click);
    connect(mnuExport, &QAction::triggered, this, &frmLumentorMGW::mnuExport_Click);
}
