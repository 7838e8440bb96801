// The point overview beside the window: its menu entry, keeping it in step
// with whole-image replacements and the protocol, and choosing a point from it.
#include "ui/window/frmLumentorMGW.h"

#include "ui/overview/PointOverview.h"
#include "ui/overview/PointOverviewModel.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QMenu>

void frmLumentorMGW::CreateOverviewEntry()
{
    mnuEdit->addSeparator();
    mnuEditOverview = mnuEdit->addAction(QStringLiteral("Point Overview"));
    mnuEditOverview->setObjectName(QStringLiteral("mnuEditOverview"));
    mnuEditOverview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(mnuEditOverview, &QAction::triggered, this, &frmLumentorMGW::mnuEditOverview_Click);
    // Runs after the protocol's own handler has rebuilt the point list.
    connect(optProtocolGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            RefreshOverview();
    });
}

void frmLumentorMGW::mnuEditOverview_Click()
{
    if (!Overview) {
        QStringList types;
        for (int i = 0; i < cboType->count(); ++i)
            types << cboType->itemText(i);
        Overview = new PointOverview(types, cboPoint->count(), this);
        connect(Overview, &PointOverview::pointChosen, this, &frmLumentorMGW::ChoosePoint);
        // Undo and redo by their keys from the overview too.
        Overview->addActions({mnuEditUndo, mnuEditRedo});
    }
    Overview->show();
    Overview->raise();
    Overview->activateWindow();
}

void frmLumentorMGW::RefreshOverview()
{
    if (Overview)
        Overview->Model()->Refresh(cboPoint->count());
}

// Through the point list, as if the operator had picked the point there;
// not while a transfer holds the list.
void frmLumentorMGW::ChoosePoint(int p)
{
    if (TransferRunning || !cboPoint->isEnabled() || p < 0 || p >= cboPoint->count())
        return;
    cboPoint->setCurrentIndex(p);
}
