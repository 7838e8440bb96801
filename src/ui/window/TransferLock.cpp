#include "ui/window/TransferLock.h"

#include "ui/window/frmLumentorMGW.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>

TransferLock::TransferLock(frmLumentorMGW &window)
    : window_(window)
{
    window_.TransferRunning = true;
    // A frame takes its lists, buttons and relay grid along.
    QWidget *const widgets[] = {window.chkResend, window.cboComPort, window.optProtocol[0],
                                window.optProtocol[1], window.cboTimeout, window.cboPoint,
                                window.cboType, window.frmSMap, window.frmGMap,
                                window.frmPMap, window.frmIMap, window.frmMMap};
    for (QWidget *w : widgets) {
        widgets_.emplace_back(w, w->isEnabled());
        w->setEnabled(false);
    }
    QAction *const actions[] = {window.mnuFile->menuAction(), window.mnuFileNew, window.mnuFileOpen,
                                window.mnuFileSave, window.mnuFileSaveAs, window.mnuFileImport, window.mnuExit,
                                window.mnuDownload, window.mnuUpload, window.mnuExport,
                                window.mnuEditUndo, window.mnuEditRedo, window.mnuPort->menuAction()};
    for (QAction *a : actions) {
        actions_.emplace_back(a, a->isEnabled());
        a->setEnabled(false);
    }
}

TransferLock::~TransferLock()
{
    for (const auto &[w, enabled] : widgets_) {
        if (w)
            w->setEnabled(enabled);
    }
    for (const auto &[a, enabled] : actions_) {
        if (a)
            a->setEnabled(enabled);
    }
    window_.TransferRunning = false;
}
