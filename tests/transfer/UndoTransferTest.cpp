// The edit history around transfers: kept by a download and by an upload
// that never starts, cleared by an upload, which replaces the image (a failed
// one too, and the overview with it). Locked while one runs, and cleared by
// a whole upload: see RoundTripTest.
#include "transfer/TransferFixture.h"

#include "ui/overview/PointOverview.h"
#include "ui/overview/PointOverviewModel.h"

using namespace modLumentorMGW;

TEST_F(TransferTest, UndoIsKeptByDownloadAndClearedByUpload)
{
    window->cboTimeout->setCurrentIndex(2);
    window->cboTimeout->setCurrentIndex(1);
    window->mnuEditUndo->trigger();
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Complete", 0, "Download"}}));
    EXPECT_EQ(window->mnuEditUndo->text(), "Undo Timeout");
    EXPECT_TRUE(window->mnuEditRedo->isEnabled());

    // An upload whose port will not open replaces nothing: the history stays.
    SetPortDevice(2, home.filePath("ttyUSB7"));
    window->cboComPort->setCurrentIndex(1);
    Run(window->mnuUpload);
    SetPortDevice(2, QString());
    EXPECT_EQ(window->mnuEditUndo->text(), "Undo Timeout");
    window->cboComPort->setCurrentIndex(0);

    // A failed upload empties the image, and the history and overview with it.
    window->cboTimeout->setCurrentIndex(0);
    window->mnuEditOverview->trigger();
    gateway.sim.ArmFault(MakeFault(gatesim::FaultKind::BadChecksum, "39000"));
    Run(window->mnuUpload);
    EXPECT_FALSE(window->mnuEditUndo->isEnabled() || window->mnuEditRedo->isEnabled());
    window->mnuEditUndo_Click();
    EXPECT_TRUE(ImageIsClear());
    QCoreApplication::processEvents();
    EXPECT_EQ(window->Overview->Model()->index(2, PointRow::Action).data().toString(), "Unused");
}
