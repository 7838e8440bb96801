// The edit history around transfers: locked while one runs, kept by a
// download, cleared by an upload, which replaces the image (and which the
// point overview shows at once).
#include "transfer/TransferFixture.h"

#include "ui/PointOverview.h"
#include "ui/PointOverviewModel.h"

using namespace modLumentorMGW;

TEST_F(TransferTest, UndoIsLockedDuringATransferKeptByDownloadAndClearedByUpload)
{
    window->cboTimeout->setCurrentIndex(2);
    window->cboTimeout->setCurrentIndex(1);
    window->mnuEditUndo->trigger();
    ASSERT_EQ(window->mnuEditUndo->text(), "Undo Timeout");
    ASSERT_TRUE(window->mnuEditRedo->isEnabled());

    bool lockedDuringBox = false;
    boxes.onBox = [&](const RecordedBox &) {
        lockedDuringBox = !window->mnuEditUndo->isEnabled() && !window->mnuEditRedo->isEnabled();
        window->mnuEditUndo->trigger();   // a disabled entry: refused, as its shortcut is
        window->mnuEditUndo_Click();      // and the command itself refuses too
    };
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Complete", 0, "Download"}}));
    EXPECT_TRUE(lockedDuringBox);
    EXPECT_EQ(gateway.sim.Memory().Cell(0, 4097), 2);
    EXPECT_TRUE(window->mnuEditUndo->isEnabled() && window->mnuEditRedo->isEnabled());

    window->mnuEditOverview->trigger();
    gateway.sim.Memory().SetCell(0, 40, 7);   // point 011 a preset
    boxes.onBox = nullptr;
    Run(window->mnuUpload);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Upload Complete", 0, "Upload"}}));
    EXPECT_EQ(ConfigImage[2 * 4097], 2);
    EXPECT_FALSE(window->mnuEditUndo->isEnabled() || window->mnuEditRedo->isEnabled());
    EXPECT_EQ(window->Overview->Model()->index(10, 1).data().toString(), "Lumentor Preset");
}
