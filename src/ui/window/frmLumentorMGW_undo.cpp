// Undo and redo: the Edit menu, the step each operator event makes, and
// showing the point a step changed.
#include "ui/window/frmLumentorMGW.h"

#include "image/ConfigImage.h"
#include "ui/history/EditHistory.h"
#include "ui/recovery/RecoveryCopy.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>

using namespace modLumentorMGW;

namespace {
// "Undo " / "Redo " and what the step did, or the bare command when there is none.
void FollowText(QAction *action, const QString &verb, const QString &text)
{
    action->setText(text.isEmpty() ? verb : verb + QLatin1Char(' ') + text);
}
} // namespace

EditHistory &frmLumentorMGW::History()
{
    // Made on first use: start-up's own list events already pass through it.
    if (!history_)
        history_ = new EditHistory(this);
    return *history_;
}

void frmLumentorMGW::CreateEditMenu()
{
    mnuEdit = menuBar()->addMenu(QStringLiteral("Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEditUndo = mnuEdit->addAction(QStringLiteral("Undo"));
    mnuEditUndo->setObjectName(QStringLiteral("mnuEditUndo"));
    mnuEditUndo->setShortcuts(QKeySequence::Undo);
    mnuEditRedo = mnuEdit->addAction(QStringLiteral("Redo"));
    mnuEditRedo->setObjectName(QStringLiteral("mnuEditRedo"));
    // Ctrl+Y as well on every desktop, as the README promises: Linux
    // desktops bind only Ctrl+Shift+Z to Redo.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)))
        redoKeys << QKeySequence(Qt::CTRL | Qt::Key_Y);
    mnuEditRedo->setShortcuts(redoKeys);

    QUndoStack &stack = History().Stack();
    connect(&stack, &QUndoStack::canUndoChanged, mnuEditUndo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, mnuEditRedo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::undoTextChanged, this,
            [this](const QString &text) { FollowText(mnuEditUndo, QStringLiteral("Undo"), text); });
    connect(&stack, &QUndoStack::redoTextChanged, this,
            [this](const QString &text) { FollowText(mnuEditRedo, QStringLiteral("Redo"), text); });
    connect(mnuEditUndo, &QAction::triggered, this, &frmLumentorMGW::mnuEditUndo_Click);
    connect(mnuEditRedo, &QAction::triggered, this, &frmLumentorMGW::mnuEditRedo_Click);

    History().Clear(true);
    mnuEditUndo->setEnabled(false);
    mnuEditRedo->setEnabled(false);
    CreateOverviewEntry();
}

void frmLumentorMGW::RunEditEvent(const QString &step, const std::function<void()> &handler)
{
    History().Begin(step);
    handler();
    History().End();
}

void frmLumentorMGW::mnuEditUndo_Click()
{
    if (TransferRunning)
        return;
    if (const CellStep *step = History().Undo())
        ShowStep(*step);
}

void frmLumentorMGW::mnuEditRedo_Click()
{
    if (TransferRunning)
        return;
    if (const CellStep *step = History().Redo())
        ShowStep(*step);
}

// As if the operator picked the point (and, for a relay of the grid, its
// node); the redraw's stores are taken back, so the image holds exactly the
// step's cells. The image matches its file again only at the saved step.
void frmLumentorMGW::ShowStep(const CellStep &step)
{
    const CellOwner shown = step.Shown();
    History().BeginRedraw();
    if (shown.node >= 0 && shown.node < cboMNode->count())
        cboMNode->setCurrentIndex(shown.node);
    if (shown.point >= 0 && shown.point < cboPoint->count() && shown.point != cboPoint->currentIndex())
        cboPoint->setCurrentIndex(shown.point);
    else
        ShowData();
    History().EndRedraw();
    Dirty = !History().Stack().isClean();
}

void frmLumentorMGW::ImageReplaced()
{
    History().Clear(!Dirty);
    RefreshOverview();
    if (Recovery)
        Recovery->Changed();
}

void frmLumentorMGW::ImageSaved()
{
    History().Stack().setClean();
    if (Recovery)
        Recovery->Saved();
}
